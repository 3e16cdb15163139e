#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tessel {

namespace {

RegularFileRead Failure(const std::string& why) {
    RegularFileRead result;
    result.error = why;
    return result;
}

}  // namespace

RegularFileRead ReadRegularFile(const std::filesystem::path& path, std::size_t largestSize) {
    // Non-blocking, so that opening a FIFO without a writer returns at once.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return Failure(std::strerror(errno));
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return Failure("not a regular file");
    }
    if (static_cast<uintmax_t>(info.st_size) > largestSize) {
        close(fd);
        return Failure("larger than " + std::to_string(largestSize) + " bytes");
    }
    RegularFileRead result;
    result.bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t filled = 0;
    while (filled < result.bytes.size()) {
        const ssize_t got = read(fd, result.bytes.data() + filled, result.bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;  // shrunk meanwhile: what was read is all there is
        }
        filled += static_cast<std::size_t>(got);
    }
    close(fd);
    result.bytes.resize(filled);
    result.ok = true;
    return result;
}

}  // namespace tessel
