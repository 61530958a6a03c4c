#include <cerrno>
#include <cstring>

#include "sys/SystemMessage.h"
#include "text/Utf8.h"

namespace lorvane {

SystemErrorCode LastSystemError() { return static_cast<SystemErrorCode>(errno); }

std::u16string SystemMessage(SystemErrorCode code, unsigned short)
{
    return Utf8ToUtf16(std::strerror(static_cast<int>(code)));
}

std::string SystemReason(SystemErrorCode code) { return std::strerror(static_cast<int>(code)); }

std::string OutOfMemoryReason() { return SystemReason(ENOMEM); }

}  // namespace lorvane
