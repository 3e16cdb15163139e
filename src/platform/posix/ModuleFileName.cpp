#include "platform/ModuleFileName.h"

#include <unistd.h>

#include <string>

namespace tessel {

std::filesystem::path ModuleFileName() {
    std::string buffer(4096, '\0');
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return {};
    }
    buffer.resize(static_cast<std::size_t>(length));
    return buffer;
}

}  // namespace tessel
