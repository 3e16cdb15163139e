#include "platform/posix/PrivateProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <system_error>

#include "platform/RegularFile.h"
#include "platform/posix/PrivateProfileCache.h"

namespace tessel {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A new, exclusively created file beside the target; -1 on failure.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target;
        temporary.replace_filename("." + target.filename().string() + ".tmp-" +
                                   std::to_string(::getpid()) + "-" + std::to_string(counter++));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

}  // namespace

FileRead ReadProfileFile(const std::filesystem::path& file, std::string& bytes) {
    // A folder, FIFO or device in the file's place is not rewritten either.
    RegularFileRead read = ReadRegularFile(file, PrivateProfileCache::kMaxFileSize);
    if (!read.ok) {
        if (!read.missing) {
            ReportUnreadableFile(file, read.error);
        }
        return read.missing ? FileRead::Missing : FileRead::Failed;
    }
    bytes.assign(read.bytes.begin(), read.bytes.end());
    return FileRead::Read;
}

bool ReplaceProfileFile(const std::filesystem::path& file, std::string_view bytes) {
    std::error_code error;
    std::filesystem::path target = file;
    if (std::filesystem::is_symlink(file, error)) {
        target = std::filesystem::weakly_canonical(file, error);
        if (error) {
            return false;
        }
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;

    std::filesystem::path temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, bytes);
    if (ok && exists) {
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
    }
    return ok;
}

}  // namespace tessel
