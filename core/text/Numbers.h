#pragma once

#include <string>

namespace lorvane {

// "27951" -> "27,951"
std::string WithThousandsSeparators(unsigned long long number);

// "1 byte", "27,951 bytes"
std::string ByteCount(unsigned long long bytes);

}  // namespace lorvane
