#include "text/Numbers.h"

#include <cstddef>

namespace lorvane {

std::string WithThousandsSeparators(unsigned long long number)
{
    std::string digits = std::to_string(number);
    for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

std::string ByteCount(unsigned long long bytes)
{
    return WithThousandsSeparators(bytes) + (bytes == 1 ? " byte" : " bytes");
}

std::string CodePointLabel(char32_t codePoint)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (char32_t rest = codePoint; rest != 0 || hex.size() < 4; rest >>= 4) hex.insert(hex.begin(), digits[rest & 0xF]);
    return "U+" + hex;
}

}  // namespace lorvane
