#include "byte_source.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace veltrane {

std::size_t FileSource::Read(char* buffer, std::size_t size) {
    const std::size_t count = std::fread(buffer, 1, size, file_);
    if (count == 0 && std::ferror(file_) != 0) {
        error_ = std::strerror(errno);
        std::clearerr(file_);
    }
    return count;
}

std::size_t StringSource::Read(char* buffer, std::size_t size) {
    const std::size_t count = std::min({size, pieceSize_, text_.size()});
    std::memcpy(buffer, text_.data(), count);
    text_.remove_prefix(count);
    return count;
}

}  // namespace veltrane
