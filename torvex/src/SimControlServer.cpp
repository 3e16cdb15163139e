#include "SimControlServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "SimCommandLine.h"

namespace torvex {

namespace {

constexpr std::size_t kMaxRequest = 4096;
constexpr int kReadTimeoutMs = 2000;

bool ReadLine(int connection, std::string& line) {
    char chunk[256];
    while (line.size() < kMaxRequest) {
        pollfd ready{connection, POLLIN, 0};
        if (::poll(&ready, 1, kReadTimeoutMs) <= 0) {
            return false;
        }
        ssize_t got = ::read(connection, chunk, sizeof chunk);
        if (got <= 0) {
            return !line.empty();
        }
        line.append(chunk, static_cast<std::size_t>(got));
        if (auto end = line.find('\n'); end != std::string::npos) {
            line.resize(end);
            return true;
        }
    }
    return false;
}

void WriteAll(int connection, const std::string& text) {
    std::size_t sent = 0;
    while (sent < text.size()) {
        ssize_t done = ::send(connection, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (done <= 0) {
            return;
        }
        sent += static_cast<std::size_t>(done);
    }
}

}  // namespace

SimControlServer::~SimControlServer() {
    if (wakeWrite_ >= 0) {
        const char stop = 'x';
        [[maybe_unused]] ssize_t ignored = ::write(wakeWrite_, &stop, 1);
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    for (int fd : {listener_, wakeRead_, wakeWrite_}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    if (listener_ >= 0) {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
}

bool SimControlServer::Open(const std::filesystem::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    if (text.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);

    std::error_code error;
    if (std::filesystem::is_socket(path, error)) {
        std::filesystem::remove(path, error);
    }
    int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0) {
        return false;
    }
    // Created owner-only from the start: no window in which others may connect.
    mode_t previous = ::umask(0177);
    int bound = ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::umask(previous);
    int pipeEnds[2];
    if (bound != 0 || ::listen(listener, 8) != 0 || ::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        ::close(listener);
        return false;
    }
    listener_ = listener;
    wakeRead_ = pipeEnds[0];
    wakeWrite_ = pipeEnds[1];
    path_ = path;
    thread_ = std::thread([this] { Run(); });
    return true;
}

void SimControlServer::Run() {
    for (;;) {
        pollfd ready[2] = {{listener_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(ready, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (ready[1].revents != 0) {
            return;
        }
        if (ready[0].revents & POLLIN) {
            int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection >= 0) {
                Serve(connection);
                ::close(connection);
            }
        }
    }
}

void SimControlServer::Serve(int connection) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 ||
        peer.uid != ::getuid()) {
        return;
    }
    std::string line;
    if (!ReadLine(connection, line)) {
        return;
    }
    WriteAll(connection, RunSimCommand(keyboard_, SplitWords(line)));
}

}  // namespace torvex
