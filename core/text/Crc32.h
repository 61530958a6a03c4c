#pragma once

#include <cstdint>
#include <string_view>

namespace lorvane {

// CRC-32 as zlib computes it (IEEE polynomial, reflected, inverted at both
// ends): Crc32("123456789") is 0xCBF43926.
std::uint32_t Crc32(std::string_view bytes);

}  // namespace lorvane
