#include "platform/FindProcess.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace tessel {

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::string ExecutableFileName(const std::filesystem::path& processFolder) {
    std::string buffer(4096, '\0');
    std::string link = (processFolder / "exe").string();
    ssize_t length = readlink(link.c_str(), buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return {};
    }
    buffer.resize(static_cast<std::size_t>(length));
    // A replaced executable still runs under its old name.
    constexpr std::string_view kDeleted = " (deleted)";
    if (buffer.ends_with(kDeleted)) {
        buffer.resize(buffer.size() - kDeleted.size());
    }
    return std::filesystem::path(buffer).filename().string();
}

// Empty for a process that has ended but was not yet reaped.
std::string CommandName(const std::filesystem::path& processFolder) {
    std::ifstream stat(processFolder / "stat");
    std::string line;
    std::getline(stat, line);
    // "pid (name) state ...": the name may itself hold parentheses.
    const auto close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size() || line[close + 2] == 'Z') {
        return {};
    }
    std::ifstream in(processFolder / "comm");
    std::string name;
    std::getline(in, name);
    return name;
}

// The lowest id of the user's other processes for which `matches` holds.
int FindProcess(const std::function<bool(const std::filesystem::path&)>& matches) {
    const int self = getpid();
    const uid_t user = getuid();
    std::error_code error;
    int found = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        int pid = 0;
        auto [end, parsed] = std::from_chars(name.data(), name.data() + name.size(), pid);
        if (parsed != std::errc() || end != name.data() + name.size() || pid == self) {
            continue;
        }
        struct stat info {};
        if (stat(entry.path().c_str(), &info) != 0 || info.st_uid != user) {
            continue;
        }
        // The directory order is not numeric: keep the oldest (lowest) id.
        if ((found == 0 || pid < found) && matches(entry.path())) {
            found = pid;
        }
    }
    return found;
}

}  // namespace

int FindProcessByFileName(std::string_view fileName) {
    return FindProcess([fileName](const std::filesystem::path& process) {
        return EqualNoCase(ExecutableFileName(process), fileName);
    });
}

bool ProcessRunsFile(int pid, std::string_view fileName) {
    const std::filesystem::path process = "/proc/" + std::to_string(pid);
    struct stat info {};
    return stat(process.c_str(), &info) == 0 && info.st_uid == getuid() &&
           EqualNoCase(ExecutableFileName(process), fileName);
}

int FindProcessByCommandName(std::string_view commandName) {
    // The system keeps only the first 15 characters of a command name.
    constexpr std::size_t kCommandNameLimit = 15;
    const std::string_view wanted = commandName.substr(0, kCommandNameLimit);
    return FindProcess([wanted](const std::filesystem::path& process) {
        return EqualNoCase(CommandName(process), wanted);
    });
}

}  // namespace tessel
