#include "sys/FilePath.h"

#include <algorithm>
#include <cstdio>

namespace lorvane {
namespace {

bool isControl(char byte) { return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F; }

std::string escaped(const std::string& path)
{
    std::string text;
    for (const char byte : path) {
        switch (byte) {
        case '"': text += "\\\""; break;
        case '\\': text += "\\\\"; break;
        case '\n': text += "\\n"; break;
        case '\r': text += "\\r"; break;
        case '\t': text += "\\t"; break;
        default:
            if (isControl(byte)) {
                char code[5];
                std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(byte)));
                text += code;
            } else {
                text += byte;
            }
        }
    }
    return text;
}

}  // namespace

std::string QuotedPath(const std::string& path)
{
    if (path.empty()) return "\"\" (an empty file name)";
    const bool plain = std::none_of(path.begin(), path.end(), [](char byte) { return byte == '"' || isControl(byte); });
    return "\"" + (plain ? path : escaped(path)) + "\"";
}

}  // namespace lorvane
