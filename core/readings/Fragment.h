#pragma once

#include <cstdint>
#include <cstring>

namespace lorvane {

// A piece of finished output, such as "zhong (chong) ", in the text of a
// ReadingFragments store.
struct Fragment {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
};

// Fragments are copied in blocks of this many units, so every fragment text
// and every output carries this much slack at its end.
inline constexpr std::size_t FragmentCopyBlock = 16;

// Copies `length` units from `source` and returns the end of the copy; up to
// FragmentCopyBlock units past it may be overwritten.
inline char16_t* CopyFragment(char16_t* destination, const char16_t* source, std::uint32_t length)
{
    // Nearly every fragment fits one block; a fixed-size copy compiles to two
    // moves, where a copy of the exact length would call memcpy.
    if (length <= FragmentCopyBlock)
        std::memcpy(destination, source, FragmentCopyBlock * sizeof(char16_t));
    else
        std::memcpy(destination, source, length * sizeof(char16_t));
    return destination + length;
}

}  // namespace lorvane
