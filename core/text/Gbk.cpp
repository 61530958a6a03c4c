#include "text/Gbk.h"

namespace lorvane {
namespace {

bool isGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
bool isGbkTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

}  // namespace

std::size_t GbkCharacterLength(std::string_view bytes, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (isGbkLeadByte(lead) && at + 1 < bytes.size() &&
        isGbkTrailByte(static_cast<unsigned char>(bytes[at + 1])))
        return 2;
    return 1;
}

}  // namespace lorvane
