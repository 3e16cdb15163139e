// Times a freshly started process until it answers at its request endpoint
// <runtime folder>/<name>.<pid>.sock, for the footprint benchmark. Two
// requests, in this order: one of no meaning, which the program's endpoint
// thread answers as soon as the endpoint exists, and a keyboard command of no
// known kind, which the program answers from its main thread once its event
// loop runs and has finished the start-up work queued before it. Prints both
// moments (microseconds since the epoch, as bash's EPOCHREALTIME) and the CPU
// time the process had used by the second (microseconds, of its live threads).
//
//   bench_footprint_probe <endpoint name> <pid>

#include <poll.h>
#include <sys/inotify.h>
#include <sys/types.h>
#include <unistd.h>

#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "app/AppIdentity.h"
#include "platform/MainWindowRequests.h"
#include "platform/RequestEndpoint.h"
#include "platform/UserFolders.h"

namespace {

using namespace std::chrono_literals;
using tessel::WindowRequest;

constexpr auto kGiveUpAfter = 60s;
// Between looks whether the process still runs; a new file in the runtime
// folder wakes the probe at once.
constexpr int kLookEveryMs = 50;
constexpr auto kAnswerWait = 10s;

long long EpochMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::filesystem::path ProcessFolder(pid_t pid) {
    return std::filesystem::path("/proc") / std::to_string(pid);
}

// Gone, or a zombie nobody has reaped yet.
bool ProcessEnded(pid_t pid) {
    std::ifstream stat(ProcessFolder(pid) / "stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return true;
    }
    const auto nameEnd = line.rfind(')');
    return nameEnd == std::string::npos || line.compare(nameEnd + 2, 1, "Z") == 0;
}

// Summed over the threads alive now: finer than the clock ticks of
// /proc/<pid>/stat, which would round a start of 60 ms to 10 ms steps.
long long CpuMicroseconds(pid_t pid) {
    long long nanoseconds = 0;
    std::error_code error;
    for (const auto& task :
         std::filesystem::directory_iterator(ProcessFolder(pid) / "task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        long long onCpu = 0;
        if (schedstat >> onCpu) {
            nanoseconds += onCpu;
        }
    }
    return nanoseconds / 1000;
}

}  // namespace

int main(int argc, char** argv) {
    pid_t pid = 0;
    const std::string_view pidText = argc == 3 ? argv[2] : "";
    if (argc != 3 ||
        std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid).ec != std::errc() ||
        pid <= 0) {
        std::fprintf(stderr, "usage: %s <endpoint name> <pid>\n", argv[0]);
        return 2;
    }
    const std::string_view name = argv[1];
    // Watched before the first try, so a socket appearing after it is not
    // missed; the probe sleeps meanwhile instead of taking CPU from the start.
    const int changes = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    const std::filesystem::path folder = tessel::RuntimeFolder();
    if (changes < 0 || folder.empty() ||
        inotify_add_watch(changes, folder.c_str(), IN_CREATE | IN_MOVED_TO) < 0) {
        std::fprintf(stderr, "cannot watch the runtime folder %s\n", folder.c_str());
        return 1;
    }
    const auto giveUp = std::chrono::steady_clock::now() + kGiveUpAfter;
    auto ask = [&](const WindowRequest& request) {
        while (true) {
            if (tessel::DeliverRequestWithText(name, pid, tessel::kMainMarker, request, {},
                                               kAnswerWait, kAnswerWait)) {
                return true;
            }
            if (ProcessEnded(pid)) {
                std::fprintf(stderr, "process %d ended without answering\n", pid);
                return false;
            }
            if (std::chrono::steady_clock::now() > giveUp) {
                std::fprintf(stderr, "process %d did not answer within %lld s\n", pid,
                             static_cast<long long>(kGiveUpAfter.count()));
                return false;
            }
            pollfd waitFor{changes, POLLIN, 0};
            if (poll(&waitFor, 1, kLookEveryMs) > 0) {
                std::array<char, 4096> events;
                while (read(changes, events.data(), events.size()) > 0) {
                }
            }
        }
    };
    if (!ask(WindowRequest{0, 0, 0})) {
        return 1;
    }
    const long long endpointAnswer = EpochMicroseconds();
    if (!ask(WindowRequest{tessel::kKeyboardCommandMessage, 0, 0})) {
        return 1;
    }
    const long long mainThreadAnswer = EpochMicroseconds();
    std::printf("%lld %lld %lld\n", endpointAnswer, mainThreadAnswer, CpuMicroseconds(pid));
    return 0;
}
