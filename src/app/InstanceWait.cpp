#include "app/InstanceWait.h"

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "app/PlatformInstanceServices.h"
#include "platform/FindProcess.h"

namespace tessel {

namespace {

// Events can only be missed when the folder cannot be watched; then this is
// how often the state is looked at again.
constexpr int kRecheckMs = 500;
constexpr std::chrono::seconds kNamelessOwnerWait{2};

// Endpoints appear and go, and the owner's close of the lock file marks its
// release: each is a reason to look again.
class RuntimeFolderWatch {
public:
    explicit RuntimeFolderWatch(const std::filesystem::path& folder)
        : m_fd(inotify_init1(IN_CLOEXEC | IN_NONBLOCK)) {
        if (m_fd >= 0 &&
            inotify_add_watch(m_fd, folder.c_str(),
                              IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_CLOSE_WRITE) < 0) {
            close(m_fd);
            m_fd = -1;
        }
    }
    ~RuntimeFolderWatch() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    RuntimeFolderWatch(const RuntimeFolderWatch&) = delete;
    RuntimeFolderWatch& operator=(const RuntimeFolderWatch&) = delete;

    void WaitForChange(std::chrono::milliseconds left) {
        const int timeout = static_cast<int>(std::min<int64_t>(left.count(), kRecheckMs));
        if (m_fd < 0) {
            poll(nullptr, 0, timeout);
            return;
        }
        pollfd waitFor{m_fd, POLLIN, 0};
        if (poll(&waitFor, 1, std::max(timeout, 0)) > 0) {
            std::array<char, 4096> events;
            while (read(m_fd, events.data(), events.size()) > 0) {
            }
        }
    }

private:
    int m_fd;
};

bool ProcessRuns(int pid) {
    return pid > 0 && (kill(pid, 0) == 0 || errno != ESRCH);
}

}  // namespace

MutexWaitResult WaitForMutexOrInstance(NamedMutex& mutex, std::string_view programFileName,
                                       bool acceptInstance, std::chrono::milliseconds bound) {
    // Watched before the first look, so nothing between look and wait is missed.
    RuntimeFolderWatch watch(mutex.LockFile().parent_path());
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + bound;
    while (true) {
        if (mutex.TryTake()) {
            return {MutexWait::Owned, getpid()};
        }
        if (acceptInstance) {
            if (const int pid = FindUserInstance(programFileName); pid != 0) {
                return {MutexWait::Instance, pid};
            }
        }
        const int owner = mutex.OwnerPid();
        if (ProcessRuns(owner) && owner != getpid() && !ProcessRunsFile(owner, programFileName)) {
            return {MutexWait::OtherProgram, owner};
        }
        // This program writes its id right after taking the mutex: an owner
        // that names none by now is another program.
        if (!ProcessRuns(owner) && std::chrono::steady_clock::now() - start > kNamelessOwnerWait) {
            return {MutexWait::OtherProgram, 0};
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return {MutexWait::TimedOut, ProcessRuns(owner) ? owner : 0};
        }
        watch.WaitForChange(left);
    }
}

}  // namespace tessel
