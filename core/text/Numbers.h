#pragma once

#include <string>

namespace lorvane {

// "27951" -> "27,951"
std::string WithThousandsSeparators(unsigned long long number);

}  // namespace lorvane
