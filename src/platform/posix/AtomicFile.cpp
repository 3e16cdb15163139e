#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <optional>
#include <system_error>

namespace tessel {
namespace {

// As many links as the kernel follows in one path.
constexpr int kMostLinksFollowed = 40;

FileWriteResult FailedWith(int error) {
    std::string reason = std::generic_category().message(error);
    if (!reason.empty()) {
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    }
    return FileWriteResult::Failed(reason.empty() ? "error " + std::to_string(error) : reason);
}

// The file a chain of symbolic links ends at (the path itself when it is no
// link); the file need not exist.
std::optional<std::filesystem::path> FinalTarget(const std::filesystem::path& path, int& error) {
    std::filesystem::path target = path;
    for (int followed = 0; followed <= kMostLinksFollowed; ++followed) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return target;
        }
        std::error_code failure;
        const std::filesystem::path next = std::filesystem::read_symlink(target, failure);
        if (failure) {
            error = failure.value();
            return std::nullopt;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    error = ELOOP;
    return std::nullopt;
}

// A new, exclusively created file beside the target; -1 with errno set on failure.
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
    errno = EEXIST;
    return -1;
}

// 0, or the errno of the first failure.
int WriteAll(int fd, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return 0;
}

// Fills, flushes and closes the temporary file; 0, or the errno of the first failure.
int FillTemporary(int fd, std::span<const uint8_t> bytes, std::optional<mode_t> keptMode) {
    int error = WriteAll(fd, bytes);
    if (error == 0 && keptMode && ::fchmod(fd, *keptMode) != 0) {
        error = errno;
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

// Makes the rename itself last. A folder that cannot be opened for reading or
// a file system without folder flushes gives no better choice than to go on.
int FlushFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error == EINVAL || error == EROFS ? 0 : error;
}

thread_local std::string lastWriteFailure;

FileWriteResult WriteAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    if (path.empty() || path.filename().empty()) {
        return FileWriteResult::Failed("has no file name");
    }
    int error = 0;
    const auto target = FinalTarget(path, error);
    if (!target) {
        return FailedWith(error);
    }
    std::optional<mode_t> keptMode;
    struct stat existing {};
    if (::stat(target->c_str(), &existing) == 0) {
        // Renaming over a device or a FIFO would remove it instead of writing to it.
        if (!S_ISREG(existing.st_mode)) {
            return FileWriteResult::Failed("is not a regular file");
        }
        keptMode = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        return FailedWith(errno);
    }

    std::filesystem::path temporary;
    const int fd = CreateTemporary(*target, temporary);
    if (fd < 0) {
        return FailedWith(errno);
    }
    error = FillTemporary(fd, bytes, keptMode);
    if (error == 0 && ::rename(temporary.c_str(), target->c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return FailedWith(error);
    }
    error = FlushFolder(target->parent_path().empty() ? "." : target->parent_path());
    return error == 0 ? FileWriteResult::Written() : FailedWith(error);
}

}  // namespace

FileWriteResult WriteFileAtomically(const std::filesystem::path& path,
                                    std::span<const uint8_t> bytes) {
    FileWriteResult written = WriteAtomically(path, bytes);
    if (!written) {
        NoteFailedWrite(written.Reason());
    }
    return written;
}

void NoteFailedWrite(std::string reason) {
    lastWriteFailure = std::move(reason);
}

const std::string& LastWriteFailure() {
    return lastWriteFailure;
}

}  // namespace tessel
