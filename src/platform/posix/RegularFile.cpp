#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <set>
#include <utility>

namespace tessel {

namespace {

RegularFileRead Failure(const std::string& why) {
    RegularFileRead result;
    result.error = why;
    return result;
}

}  // namespace

std::string ErrorReason(int errorNumber) {
    std::string reason = std::strerror(errorNumber);
    if (!reason.empty()) {
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    }
    return reason;
}

RegularFileRead ReadRegularFile(const std::filesystem::path& path, std::size_t largestSize) {
    // Non-blocking, so that opening a FIFO without a writer returns at once.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        RegularFileRead result = Failure(ErrorReason(errno));
        result.missing = errno == ENOENT;
        return result;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return Failure(S_ISDIR(info.st_mode) ? "is a folder" : "not a regular file");
    }
    if (static_cast<uintmax_t>(info.st_size) > largestSize) {
        close(fd);
        return Failure("larger than " + std::to_string(largestSize) + " bytes");
    }
    RegularFileRead result;
    try {
        result.bytes.resize(static_cast<std::size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        close(fd);
        return Failure("too large to read");
    }
    std::size_t filled = 0;
    while (filled < result.bytes.size()) {
        const ssize_t got = read(fd, result.bytes.data() + filled, result.bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            close(fd);
            return Failure(ErrorReason(error));
        }
        if (got == 0) {
            break;  // shrunk meanwhile: what was read is all there is
        }
        filled += static_cast<std::size_t>(got);
    }
    close(fd);
    result.bytes.resize(filled);
    result.ok = true;
    return result;
}

void ReportUnreadableFile(const std::filesystem::path& path, const std::string& why) {
    static std::mutex mutex;
    static std::set<std::pair<std::string, std::string>> told;
    std::lock_guard lock(mutex);
    if (told.size() < 1000 && told.emplace(path.string(), why).second) {
        std::fprintf(stderr, "tessel: cannot read %s: %s\n", path.c_str(), why.c_str());
    }
}

}  // namespace tessel
