#pragma once

#include <string>

namespace lorvane {

// "27951" -> "27,951"
std::string WithThousandsSeparators(unsigned long long number);

// "1 byte", "27,951 bytes"
std::string ByteCount(unsigned long long bytes);

// 0x4E2D -> "U+4E2D", 0x20000 -> "U+20000": at least four hex digits.
std::string CodePointLabel(char32_t codePoint);

}  // namespace lorvane
