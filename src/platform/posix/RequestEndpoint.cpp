#include "platform/RequestEndpoint.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
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

namespace tessel {

namespace {

// marker, message, wParam, lParam, payload length: 32-bit little-endian words,
// then the payload. The reply: result, text length, then the text.
constexpr std::size_t kRequestSize = 20;
constexpr std::size_t kReplySize = 8;
// How long a connected client may take to send its request.
constexpr int kRequestReadMs = 1000;

void PutWord(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint32_t GetWord(const uint8_t* in) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(in[i]) << (8 * i);
    }
    return value;
}

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
int ListenAt(const std::string& path) {
    sockaddr_un address{};
    if (!FillAddress(path, address)) {
        return -1;
    }
    int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0) {
        return -1;
    }
    // A socket of an earlier process with our id can only be stale.
    unlink(path.c_str());
    if (bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        chmod(path.c_str(), 0600) != 0 || listen(listener, 8) != 0) {
        close(listener);
        unlink(path.c_str());
        return -1;
    }
    return listener;
}

bool PeerIsSameUser(int fd) {
    ucred peer{};
    socklen_t length = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == getuid();
}

// Reads or writes exactly `size` bytes within `timeoutMs` in total.
bool Transfer(int fd, uint8_t* data, std::size_t size, bool reading, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::size_t done = 0;
    while (done < size) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd waitFor{fd, static_cast<short>(reading ? POLLIN : POLLOUT), 0};
        int ready = poll(&waitFor, 1, static_cast<int>(std::max<int64_t>(left.count(), 0)));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        ssize_t moved = reading ? recv(fd, data + done, size - done, 0)
                                : send(fd, data + done, size - done, MSG_NOSIGNAL);
        if (moved < 0 && errno == EINTR) {
            continue;
        }
        if (moved <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(moved);
    }
    return true;
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
    const int listener = ListenAt(path);
    if (listener < 0) {
        return nullptr;
    }
    // The folder is watched so that a socket removed behind our back (a
    // cleaner, a user) is put back at once, without polling.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    int wake[2];
    if (watch < 0 ||
        inotify_add_watch(watch, folder.c_str(), IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO) < 0 ||
        pipe2(wake, O_CLOEXEC) != 0) {
        if (watch >= 0) {
            close(watch);
        }
        close(listener);
        unlink(path.c_str());
        return nullptr;
    }
    return std::unique_ptr<RequestEndpoint>(new RequestEndpoint(
        std::move(path), listener, watch, wake, marker, std::move(handler)));
}

RequestEndpoint::RequestEndpoint(std::string path, int listener, int watch, const int wake[2],
                                 uint32_t marker, TextHandler handler)
    : m_path(std::move(path)),
      m_listener(listener),
      m_watch(watch),
      m_wakeRead(wake[0]),
      m_wakeWrite(wake[1]),
      m_marker(marker),
      m_handler(std::move(handler)),
      m_thread([this] { Listen(); }) {}

RequestEndpoint::~RequestEndpoint() {
    // Remove the name first so that no new sender finds a closing endpoint,
    // and keep the listener from putting it back.
    m_stopping = true;
    unlink(m_path.c_str());
    const char stop = 1;
    while (write(m_wakeWrite, &stop, 1) < 0 && errno == EINTR) {
    }
    m_thread.join();
    close(m_listener);
    close(m_watch);
    close(m_wakeRead);
    close(m_wakeWrite);
}

void RequestEndpoint::Listen() {
    RememberInode();
    while (true) {
        std::array<pollfd, 3> waitFor{pollfd{m_listener, POLLIN, 0}, pollfd{m_wakeRead, POLLIN, 0},
                                      pollfd{m_watch, POLLIN, 0}};
        if (poll(waitFor.data(), waitFor.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (waitFor[1].revents != 0) {
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
    if (listener >= 0) {
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
    std::array<uint8_t, kRequestSize> frame{};
    if (!PeerIsSameUser(connection) ||
        !Transfer(connection, frame.data(), frame.size(), true, kRequestReadMs) ||
        GetWord(frame.data()) != m_marker) {
        return;
    }
    WindowRequest request;
    request.message = GetWord(frame.data() + 4);
    request.wParam = GetWord(frame.data() + 8);
    request.lParam = static_cast<int32_t>(GetWord(frame.data() + 12));
    std::string payload(GetWord(frame.data() + 16), '\0');
    if (payload.size() > kMaxRequestText ||
        !Transfer(connection, reinterpret_cast<uint8_t*>(payload.data()), payload.size(), true,
                  kRequestReadMs)) {
        return;
    }
    RequestReply answer = m_handler(request, payload);
    answer.text.resize(std::min(answer.text.size(), kMaxRequestText));
    std::array<uint8_t, kReplySize> reply{};
    PutWord(reply.data(), static_cast<uint32_t>(answer.result));
    PutWord(reply.data() + 4, static_cast<uint32_t>(answer.text.size()));
    if (Transfer(connection, reply.data(), reply.size(), false, kRequestReadMs)) {
        Transfer(connection, reinterpret_cast<uint8_t*>(answer.text.data()), answer.text.size(),
                 false, kRequestReadMs);
    }
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
    const auto reply = DeliverRequestWithText(name, pid, marker, request, {}, wait);
    if (!reply) {
        return std::nullopt;
    }
    return reply->result;
}

std::optional<RequestReply> DeliverRequestWithText(std::string_view name, int pid, uint32_t marker,
                                                   const WindowRequest& request,
                                                   std::string_view payload,
                                                   std::chrono::milliseconds wait) {
    sockaddr_un address{};
    if (pid <= 0 || payload.size() > kMaxRequestText ||
        !FillAddress(SocketPathOf(name, pid), address)) {
        return std::nullopt;
    }
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return std::nullopt;
    }
    std::vector<uint8_t> frame(kRequestSize);
    PutWord(frame.data(), marker);
    PutWord(frame.data() + 4, request.message);
    PutWord(frame.data() + 8, static_cast<uint32_t>(request.wParam));
    PutWord(frame.data() + 12, static_cast<uint32_t>(request.lParam));
    PutWord(frame.data() + 16, static_cast<uint32_t>(payload.size()));
    frame.insert(frame.end(), payload.begin(), payload.end());
    std::array<uint8_t, kReplySize> reply{};
    const int waitMs = static_cast<int>(wait.count());
    std::optional<RequestReply> result;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        PeerIsSameUser(fd) && Transfer(fd, frame.data(), frame.size(), false, waitMs) &&
        Transfer(fd, reply.data(), reply.size(), true, waitMs)) {
        RequestReply answer;
        answer.result = static_cast<int32_t>(GetWord(reply.data()));
        answer.text.resize(GetWord(reply.data() + 4));
        if (answer.text.size() <= kMaxRequestText &&
            Transfer(fd, reinterpret_cast<uint8_t*>(answer.text.data()), answer.text.size(), true,
                     waitMs)) {
            result = std::move(answer);
        }
    }
    close(fd);
    return result;
}

}  // namespace tessel
