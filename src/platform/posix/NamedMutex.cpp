#include "platform/NamedMutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>

#include "platform/UserFolders.h"

namespace tessel {

NamedMutex::NamedMutex(std::string_view name) : m_lockFile(RuntimeFile(name, ".lock")) {}

NamedMutex::~NamedMutex() {
    Close();
}

MutexOpen NamedMutex::Open() {
    Close();
    // Close-on-exec: a program we start must not keep the mutex alive after us.
    m_fd = open(m_lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        return MutexOpen::Unavailable;
    }
    struct stat info {};
    if (fstat(m_fd, &info) != 0 || info.st_uid != geteuid()) {
        // Someone else's file in a shared folder: not our mutex.
        Close();
        return MutexOpen::Unavailable;
    }
    return TryTake() ? MutexOpen::Created : MutexOpen::AlreadyExists;
}

bool NamedMutex::TryTake() {
    if (m_fd < 0) {
        return false;
    }
    int result;
    while ((result = flock(m_fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (result != 0) {
        return false;
    }
    const std::string pid = std::to_string(getpid()) + "\n";
    // Without the id others cannot tell whose the mutex is; it is ours all the same.
    const bool written = ftruncate(m_fd, 0) == 0 && pwrite(m_fd, pid.data(), pid.size(), 0) ==
                                                        static_cast<ssize_t>(pid.size());
    (void)written;
    return true;
}

int NamedMutex::OwnerPid() const {
    std::ifstream file(m_lockFile);
    int pid = 0;
    return file >> pid && pid > 0 ? pid : 0;
}

void NamedMutex::Close() {
    if (m_fd >= 0) {
        close(m_fd);
        m_fd = -1;
    }
}

}  // namespace tessel
