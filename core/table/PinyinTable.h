#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane {

class TableFile;

inline constexpr std::size_t PinyinTableCapacity = 27951;

// The table as read from pymb.dat: slot k holds the (k+1)-th entry of the
// file, one Hanzi followed by one syllable. Slots past the last entry stay
// empty. The table never grows beyond PinyinTableCapacity slots.
struct PinyinTable {
    std::vector<std::u16string> slots = std::vector<std::u16string>(PinyinTableCapacity);
    // The name the table's documentation gives the count, kept as it is.
    std::size_t PinyinEntryCount = 0;
};

// The bytes of pymb.dat as text: UTF-8 when they begin with the UTF-8
// byte-order mark (which is dropped), GBK (code page 936) otherwise, whatever
// the system's code page. Bytes that are not valid in the encoding become
// U+FFFD. Throws GbkUnavailable when the system has no GBK converter.
std::u16string DecodeTableBytes(std::string_view bytes);

// Fills `table` from the text of a table file (already decoded to UTF-16).
// A comma or a line end (CR LF, LF or CR) ends a field; blanks around a field,
// blank lines and empty fields are skipped, double quotes around a field are
// removed. `path` (UTF-8) is only used in error messages.
// Throws DataFileError (Empty, TooManyEntries); on TooManyEntries all
// PinyinTableCapacity slots are filled and nothing is written past them.
void ParsePinyinTable(std::u16string_view text, const std::string& path, PinyinTable& table);

// Reads and decodes an open table file, then parses it as above. Throws
// DataFileError for every failure, running out of memory included.
void LoadPinyinTable(TableFile& file, PinyinTable& table);

}  // namespace lorvane
