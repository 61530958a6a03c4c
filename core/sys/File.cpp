#include "sys/File.h"

#include <utility>

namespace lorvane {

File::File(File&& other) noexcept : handle_(other.handle_), owned_(std::exchange(other.owned_, false)) {}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        close();
        handle_ = other.handle_;
        owned_ = std::exchange(other.owned_, false);
    }
    return *this;
}

File::~File() { close(); }

}  // namespace lorvane
