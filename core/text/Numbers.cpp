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

}  // namespace lorvane
