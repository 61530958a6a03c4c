#include "text/Crc32.h"

#include <array>

namespace lorvane {
namespace {

constexpr std::uint32_t Polynomial = 0xEDB88320u;

// Eight tables, so that eight bytes are folded in per step: the word data is
// checked on every start, and a byte at a time would take most of the load.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables makeTables()
{
    Tables tables{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        std::uint32_t crc = byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ Polynomial : crc >> 1;
        tables[0][byte] = crc;
    }
    for (std::size_t table = 1; table < 8; ++table)
        for (std::size_t byte = 0; byte < 256; ++byte)
            tables[table][byte] = (tables[table - 1][byte] >> 8) ^ tables[0][tables[table - 1][byte] & 0xFF];
    return tables;
}

constexpr Tables CrcTables = makeTables();

}  // namespace

std::uint32_t Crc32(std::string_view bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t left = bytes.size();
    std::uint32_t crc = 0xFFFFFFFFu;
    const auto& t = CrcTables;
    while (left >= 8) {
        const std::uint32_t low = crc ^ (static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
                                         static_cast<std::uint32_t>(data[2]) << 16 |
                                         static_cast<std::uint32_t>(data[3]) << 24);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
              t[3][data[4]] ^ t[2][data[5]] ^ t[1][data[6]] ^ t[0][data[7]];
        data += 8;
        left -= 8;
    }
    for (; left > 0; --left) crc = (crc >> 8) ^ t[0][(crc ^ *data++) & 0xFF];
    return crc ^ 0xFFFFFFFFu;
}

}  // namespace lorvane
