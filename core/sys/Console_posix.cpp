#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "sys/Console.h"

namespace lorvane {

void PrepareStandardStreams()
{
    // Each open takes the lowest free descriptor, which is the one tested.
    for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor)
        if (::fcntl(descriptor, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", descriptor == STDIN_FILENO ? O_WRONLY : O_RDONLY);
}

bool IsConsole(StandardStream) { return false; }

bool WriteConsoleText(StandardStream, std::string_view) { return false; }

bool ReadConsoleText(std::string&) { return false; }

}  // namespace lorvane
