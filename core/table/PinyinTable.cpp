#include "table/PinyinTable.h"

#include <optional>

#include "datafile/DataFileReader.h"
#include "table/TableFile.h"
#include "text/Gbk.h"
#include "text/Numbers.h"
#include "text/Utf8.h"

namespace lorvane {
namespace {

bool isBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }
bool isLineEnd(char16_t unit) { return unit == u'\r' || unit == u'\n'; }
bool endsField(char16_t unit) { return unit == u',' || isLineEnd(unit); }

// Reads the fields of a table file one after another, passing over what
// holds no entry: blank lines, blanks around a field and empty fields.
class FieldReader {
public:
    explicit FieldReader(std::u16string_view text) : text_(text) {}

    std::optional<std::u16string_view> next()
    {
        for (;;) {
            while (at_ < text_.size() && (isBlank(text_[at_]) || endsField(text_[at_]))) ++at_;
            if (at_ == text_.size()) return std::nullopt;
            const std::u16string_view field = text_[at_] == u'"' ? quotedField() : plainField();
            if (!field.empty()) return field;
        }
    }

private:
    std::u16string_view plainField()
    {
        const std::size_t start = at_;
        while (at_ < text_.size() && !endsField(text_[at_])) ++at_;
        std::size_t end = at_;
        while (end > start && isBlank(text_[end - 1])) --end;
        return text_.substr(start, end - start);
    }

    // A quoted field may hold commas; whatever follows its closing quote on
    // the same field is dropped.
    std::u16string_view quotedField()
    {
        const std::size_t start = ++at_;
        while (at_ < text_.size() && text_[at_] != u'"' && !isLineEnd(text_[at_])) ++at_;
        const std::u16string_view field = text_.substr(start, at_ - start);
        while (at_ < text_.size() && !endsField(text_[at_])) ++at_;
        return field;
    }

    std::u16string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

std::u16string DecodeTableBytes(std::string_view bytes)
{
    if (bytes.starts_with(Utf8ByteOrderMark)) return Utf8ToUtf16(bytes.substr(Utf8ByteOrderMark.size()));
    return DecodeGbk(bytes);
}

void ParsePinyinTable(std::u16string_view text, const std::string& path, PinyinTable& table)
{
    FieldReader reader(text);
    std::optional<std::u16string_view> field = reader.next();
    if (!field) throw DataFileError(DataFile::Table, DataFileError::Problem::Empty, path);

    table.PinyinEntryCount = 0;
    while (field) {
        // The slot test comes before the store, so nothing is ever written
        // past the last slot; the rest of the file is only counted.
        if (table.PinyinEntryCount >= PinyinTableCapacity) {
            std::size_t entriesInFile = table.PinyinEntryCount;
            for (; field; field = reader.next()) ++entriesInFile;
            throw DataFileError(DataFile::Table, DataFileError::Problem::TooManyEntries, path,
                                WithThousandsSeparators(entriesInFile) + " entries, more than the " +
                                    WithThousandsSeparators(PinyinTableCapacity) + " the table can hold",
                                entriesInFile);
        }
        table.slots[table.PinyinEntryCount] = *field;
        ++table.PinyinEntryCount;
        field = reader.next();
    }
}

void LoadPinyinTable(TableFile& file, PinyinTable& table)
{
    WithDataFileErrors(DataFile::Table, file.path(), [&] {
        try {
            ParsePinyinTable(DecodeTableBytes(file.readAll()), file.path(), table);
        } catch (const GbkUnavailable& error) {
            throw DataFileError(DataFile::Table, DataFileError::Problem::NoGbkConverter, file.path(), error.what());
        }
    });
}

}  // namespace lorvane
