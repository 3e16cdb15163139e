// The floor the program's footprint is measured against: a bare Qt Widgets
// program resident in the tray, with an icon, its menu and a Unix socket
// endpoint at $XDG_RUNTIME_DIR/footprint_bare_tray.<pid>.sock. The main thread
// answers each request there in the program's reply format ("TAKN", then a
// result and an empty text), so one probe times both to the same event.
//
//   bench_footprint_bare_tray <icon file>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kRequestReadMs = 1000;

// Reads (or writes) all of `size` bytes; a peer silent for a second is dropped.
bool Transfer(int fd, uint8_t* data, std::size_t size, bool reading) {
    while (size > 0) {
        pollfd waitFor{fd, static_cast<short>(reading ? POLLIN : POLLOUT), 0};
        if (poll(&waitFor, 1, kRequestReadMs) <= 0) {
            return false;
        }
        const ssize_t done = reading ? recv(fd, data, size, 0) : send(fd, data, size, MSG_NOSIGNAL);
        if (done <= 0) {
            return false;
        }
        data += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}

// Marker, message, two parameters and the payload length, then the payload.
void Answer(int connection) {
    std::array<uint8_t, 20> header{};
    if (!Transfer(connection, header.data(), header.size(), true)) {
        return;
    }
    uint32_t payloadLength = 0;
    std::memcpy(&payloadLength, header.data() + 16, sizeof payloadLength);
    std::array<uint8_t, 256> payload{};
    while (payloadLength > 0) {
        const std::size_t part = std::min<std::size_t>(payloadLength, payload.size());
        if (!Transfer(connection, payload.data(), part, true)) {
            return;
        }
        payloadLength -= static_cast<uint32_t>(part);
    }
    std::array<uint8_t, 12> reply{'T', 'A', 'K', 'N'};
    Transfer(connection, reply.data(), reply.size(), false);
}

// Bound under another name and renamed once it listens, as the program does:
// whoever sees the name can connect.
int Listen(const std::string& path) {
    const std::string building = path + ".new";
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (building.size() >= sizeof address.sun_path) {
        return -1;
    }
    std::memcpy(address.sun_path, building.c_str(), building.size() + 1);
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener < 0 ||
        bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        chmod(building.c_str(), 0600) != 0 || listen(listener, 64) != 0 ||
        rename(building.c_str(), path.c_str()) != 0) {
        if (listener >= 0) {
            close(listener);
        }
        return -1;
    }
    return listener;
}

}  // namespace

int main(int argc, char** argv) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (argc != 2 || runtime == nullptr) {
        std::fprintf(stderr, "usage: XDG_RUNTIME_DIR=<folder> %s <icon file>\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);

    QMenu menu;
    menu.addAction(QStringLiteral("Open(&O)"));
    menu.addAction(QStringLiteral("About(&A)"));
    QObject::connect(menu.addAction(QStringLiteral("Exit(&X)")), &QAction::triggered, &application,
                     &QApplication::quit);
    QSystemTrayIcon tray(QIcon(QString::fromLocal8Bit(argv[1])));
    tray.setToolTip(QStringLiteral("Bare tray program"));
    tray.setContextMenu(&menu);
    tray.show();

    const std::string path =
        std::string(runtime) + "/footprint_bare_tray." + std::to_string(getpid()) + ".sock";
    const int listener = Listen(path);
    if (listener < 0) {
        std::fprintf(stderr, "cannot listen at %s: %s\n", path.c_str(), std::strerror(errno));
        return 1;
    }
    QSocketNotifier requests(listener, QSocketNotifier::Read);
    QObject::connect(&requests, &QSocketNotifier::activated, [listener] {
        const int connection = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection >= 0) {
            Answer(connection);
            close(connection);
        }
    });
    const int result = application.exec();
    unlink(path.c_str());
    close(listener);
    return result;
}
