#include "platform/NamedMutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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
    int result;
    while ((result = flock(m_fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    return result == 0 ? MutexOpen::Created : MutexOpen::AlreadyExists;
}

void NamedMutex::Close() {
    if (m_fd >= 0) {
        close(m_fd);
        m_fd = -1;
    }
}

}  // namespace tessel
