#include "platform/RequestEndpoint.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/UserFolders.h"
#include "platform/posix/RequestEndpointFrame.h"

namespace tessel {

namespace {

// How long a connected client may take to send its request.
constexpr int kRequestReadMs = 1000;
// Starts at the same moment queue up here while one request is served.
constexpr int kBacklog = 64;

std::string SocketPathOf(std::string_view name, int pid) {
    return RuntimeFile(name, "." + std::to_string(pid) + ".sock").string();
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// A listening socket at `path` (anything there before is replaced), or -1.
// It is made under another name and renamed into place once it listens:
// whoever sees the name can connect at once.
int ListenAt(const std::string& path) {
    const std::string building = path + ".new";
    sockaddr_un address{};
    if (!FillAddress(building, address)) {
        return -1;
    }
    int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0) {
        return -1;
    }
    // A socket of an earlier process with our id can only be stale.
    unlink(building.c_str());
    if (bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        chmod(building.c_str(), 0600) != 0 || listen(listener, kBacklog) != 0 ||
        rename(building.c_str(), path.c_str()) != 0) {
        close(listener);
        unlink(building.c_str());
        return -1;
    }
    return listener;
}

bool PeerIsSameUser(int fd) {
    ucred peer{};
    socklen_t length = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == getuid();
}

// The sender has closed its end: it gave up waiting, and its request must not
// be carried out after all.
bool SenderGone(int fd) {
    pollfd check{fd, POLLRDHUP, 0};
    return poll(&check, 1, 0) != 0 && (check.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

bool SendAll(int fd, const std::vector<uint8_t>& bytes) {
    return TransferBytes(fd, const_cast<uint8_t*>(bytes.data()), bytes.size(), false,
                         kRequestReadMs);
}

// Every "<prefix><pid>.sock" of the runtime folder, with its process id.
template <typename Visit>
void VisitSockets(std::string_view name, Visit visit) {
    const std::filesystem::path pattern = RuntimeFile(name, ".");
    const std::string prefix = pattern.filename().string();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(pattern.parent_path(), error)) {
        const std::string file = entry.path().filename().string();
        if (!file.starts_with(prefix) || !file.ends_with(".sock")) {
            continue;
        }
        const char* first = file.data() + prefix.size();
        const char* last = file.data() + file.size() - 5;
        int pid = 0;
        auto [end, parsed] = std::from_chars(first, last, pid);
        if (parsed == std::errc() && end == last && pid > 0) {
            visit(entry.path(), pid);
        }
    }
}

bool ProcessEnded(int pid) {
    return kill(pid, 0) != 0 && errno == ESRCH;
}

// Sockets of processes that no longer run.
void RemoveStaleSockets(std::string_view name) {
    VisitSockets(name, [](const std::filesystem::path& socket, int pid) {
        if (ProcessEnded(pid)) {
            unlink(socket.c_str());
        }
    });
}

}  // namespace

std::unique_ptr<RequestEndpoint> RequestEndpoint::Open(std::string_view name, uint32_t marker,
                                                       Handler handler) {
    return Open(name, marker,
                [handler = std::move(handler)](const WindowRequest& request, std::string_view) {
                    return RequestReply{handler(request), {}};
                });
}

std::unique_ptr<RequestEndpoint> RequestEndpoint::Open(std::string_view name, uint32_t marker,
                                                       TextHandler handler) {
    RemoveStaleSockets(name);
    std::string path = SocketPathOf(name, getpid());
    // The folder is watched before the socket exists, so that a socket removed
    // behind our back (a cleaner, a user) at any moment, even the first, is put
    // back at once, without polling.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (watch < 0) {
        return nullptr;
    }
    int wake[2];
    if (inotify_add_watch(watch, folder.c_str(), IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO) < 0 ||
        pipe2(wake, O_CLOEXEC) != 0) {
        close(watch);
        return nullptr;
    }
    const int listener = ListenAt(path);
    if (listener < 0) {
        close(watch);
        close(wake[0]);
        close(wake[1]);
        return nullptr;
    }
    return std::unique_ptr<RequestEndpoint>(
        new RequestEndpoint(std::move(path), listener, watch, wake, marker, std::move(handler)));
}

RequestEndpoint::RequestEndpoint(std::string path, int listener, int watch, const int wake[2],
                                 uint32_t marker, TextHandler handler)
    : m_path(std::move(path)),
      m_listener(listener),
      m_watch(watch),
      m_wakeRead(wake[0]),
      m_wakeWrite(wake[1]),
      m_marker(marker),
      m_handler(std::move(handler)) {
    RememberInode();
    m_thread = std::thread([this] { Listen(); });
}

RequestEndpoint::~RequestEndpoint() {
    Withdraw();
    m_thread.join();
    // A removal the listener was putting right as it stopped leaves no socket.
    unlink(m_path.c_str());
    close(m_listener);
    close(m_watch);
    close(m_wakeRead);
    close(m_wakeWrite);
}

void RequestEndpoint::Withdraw() {
    // Remove the name first so that no new sender finds a closing endpoint,
    // and keep the listener from putting it back.
    if (m_stopping.exchange(true)) {
        return;
    }
    unlink(m_path.c_str());
    const char stop = 1;
    while (write(m_wakeWrite, &stop, 1) < 0 && errno == EINTR) {
    }
}

void RequestEndpoint::CloseQueuedConnections() {
    fcntl(m_listener, F_SETFL, fcntl(m_listener, F_GETFL) | O_NONBLOCK);
    int connection;
    while ((connection = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0) {
        close(connection);
    }
}

void RequestEndpoint::Listen() {
    // Removed between the bind and now: the watch has queued it, and this
    // check catches it even if the event was read already.
    ListenAgainIfRemoved();
    while (true) {
        std::array<pollfd, 3> waitFor{pollfd{m_listener, POLLIN, 0}, pollfd{m_wakeRead, POLLIN, 0},
                                      pollfd{m_watch, POLLIN, 0}};
        if (poll(waitFor.data(), waitFor.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (waitFor[1].revents != 0 || m_stopping) {
            CloseQueuedConnections();
            return;
        }
        if (waitFor[2].revents != 0) {
            ListenAgainIfRemoved();
        }
        if (waitFor[0].revents != 0) {
            int connection = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection >= 0) {
                Serve(connection);
                close(connection);
            }
        }
    }
}

void RequestEndpoint::ListenAgainIfRemoved() {
    std::array<char, 4096> events;
    while (read(m_watch, events.data(), events.size()) > 0) {
    }
    struct stat now {};
    if (m_stopping ||
        (lstat(m_path.c_str(), &now) == 0 && S_ISSOCK(now.st_mode) && now.st_ino == m_inode)) {
        return;
    }
    const int listener = ListenAt(m_path);
    if (listener >= 0 && m_stopping) {
        // Withdrawn meanwhile: it must not come back.
        unlink(m_path.c_str());
        close(listener);
    } else if (listener >= 0) {
        close(m_listener);
        m_listener = listener;
        RememberInode();
    }
}

void RequestEndpoint::RememberInode() {
    struct stat info {};
    m_inode = lstat(m_path.c_str(), &info) == 0 ? info.st_ino : 0;
}

void RequestEndpoint::Serve(int connection) {
    if (!PeerIsSameUser(connection)) {
        return;
    }
    auto received = ReadRequest(connection, m_marker, kRequestReadMs);
    // A request whose sender has stopped waiting (this process was stopped,
    // say) is dropped: the sender has already said nothing was done.
    if (!received || SenderGone(connection) ||
        !SendAll(connection,
                 std::vector<uint8_t>{kRequestTakenBytes.begin(), kRequestTakenBytes.end()})) {
        return;
    }
    SendAll(connection, EncodeReply(m_handler(received->request, received->payload)));
}

std::vector<int> EndpointProcesses(std::string_view name) {
    std::vector<int> found;
    VisitSockets(name, [&found](const std::filesystem::path&, int pid) {
        if (!ProcessEnded(pid)) {
            found.push_back(pid);
        }
    });
    std::ranges::sort(found);
    return found;
}

std::optional<intptr_t> DeliverRequest(std::string_view name, int pid, uint32_t marker,
                                       const WindowRequest& request,
                                       std::chrono::milliseconds wait) {
    const auto reply = DeliverRequestWithText(name, pid, marker, request, {}, wait, std::nullopt);
    if (!reply) {
        return std::nullopt;
    }
    return reply->result;
}

std::optional<RequestReply> DeliverRequestWithText(std::string_view name, int pid, uint32_t marker,
                                                   const WindowRequest& request,
                                                   std::string_view payload,
                                                   std::chrono::milliseconds wait,
                                                   std::optional<std::chrono::milliseconds> work) {
    sockaddr_un address{};
    if (pid <= 0 || payload.size() > kMaxRequestText ||
        !FillAddress(SocketPathOf(name, pid), address)) {
        return std::nullopt;
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return std::nullopt;
    }
    std::vector<uint8_t> frame = EncodeRequest(marker, request, payload);
    std::array<uint8_t, 4> taken{};
    const int waitMs = static_cast<int>(wait.count());
    std::optional<RequestReply> result;
    // A full queue makes connect wait: no longer than for the answer.
    const timeval connectWait{static_cast<time_t>(wait.count() / 1000),
                              static_cast<suseconds_t>(wait.count() % 1000 * 1000)};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &connectWait, sizeof connectWait);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        PeerIsSameUser(fd) && TransferBytes(fd, frame.data(), frame.size(), false, waitMs) &&
        TransferBytes(fd, taken.data(), taken.size(), true, waitMs) &&
        std::ranges::equal(taken, kRequestTakenBytes)) {
        result = ReadReply(fd, static_cast<int>(work.value_or(wait).count()));
    }
    close(fd);
    return result;
}

}  // namespace tessel
