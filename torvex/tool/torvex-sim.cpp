// torvex-sim: drives the simulated keyboard of a running program through its
// control socket (TORVEX_SIM_CONTROL).

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: torvex-sim [--socket PATH] COMMAND [ARGUMENTS]\n"
                 "PATH defaults to $TORVEX_SIM_CONTROL; 'torvex-sim help' lists the commands.\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string socketPath;
    if (const char* fromEnvironment = std::getenv("TORVEX_SIM_CONTROL")) {
        socketPath = fromEnvironment;
    }
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--socket") == 0) {
        socketPath = argv[2];
        first = 3;
    }
    if (first >= argc || socketPath.empty()) {
        return Usage();
    }
    std::string request;
    for (int i = first; i < argc; ++i) {
        request += (i == first ? "" : " ") + std::string(argv[i]);
    }
    request += "\n";

    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof address.sun_path) {
        std::fprintf(stderr, "torvex-sim: socket path too long\n");
        return 2;
    }
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    int connection = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (connection < 0 ||
        ::connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        std::fprintf(stderr,
                     "torvex-sim: cannot reach %s: %s (is the program running with "
                     "TORVEX_BACKEND=sim?)\n",
                     socketPath.c_str(), std::strerror(errno));
        return 1;
    }
    if (::write(connection, request.data(), request.size()) !=
        static_cast<ssize_t>(request.size())) {
        std::fprintf(stderr, "torvex-sim: cannot send the command\n");
        return 1;
    }
    std::string answer;
    char chunk[4096];
    for (ssize_t got; (got = ::read(connection, chunk, sizeof chunk)) > 0;) {
        answer.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(connection);
    if (answer.empty()) {
        std::fprintf(stderr, "torvex-sim: no answer\n");
        return 1;
    }
    std::fwrite(answer.data(), 1, answer.size(), stdout);
    return answer.rfind("ok", 0) == 0 ? 0 : 1;
}
