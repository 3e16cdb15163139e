#include "platform/ProgramCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessel {

namespace {

// Long enough for any "#!" line the kernel itself would read.
constexpr std::size_t kHeadSize = 256;
// ELF identification: class at 4, byte order at 5; the machine at 18 (16 bits).
constexpr std::size_t kElfClass = 4;
constexpr std::size_t kElfData = 5;
constexpr std::size_t kElfMachine = 18;
constexpr std::size_t kElfHeadNeeded = 20;

std::string ReadHead(const std::filesystem::path& file) {
    std::string head(kHeadSize, '\0');
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    ssize_t got;
    while ((got = read(fd, head.data(), head.size())) < 0 && errno == EINTR) {
    }
    close(fd);
    head.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return head;
}

bool IsRunnableFile(const std::filesystem::path& file) {
    struct stat info {};
    return stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(file.c_str(), X_OK) == 0;
}

// Word size, byte order and processor of an ELF head.
std::array<std::uint8_t, 4> ElfKind(std::string_view head) {
    return {static_cast<std::uint8_t>(head[kElfClass]), static_cast<std::uint8_t>(head[kElfData]),
            static_cast<std::uint8_t>(head[kElfMachine]),
            static_cast<std::uint8_t>(head[kElfMachine + 1])};
}

bool IsElf(std::string_view head) {
    return head.size() >= kElfHeadNeeded && head.starts_with(
                                                "\x7f"
                                                "ELF");
}

// The interpreter of a "#!" line: the first word after the marker.
std::filesystem::path Interpreter(std::string_view head) {
    std::string_view line = head.substr(2, head.find('\n') - 2);
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return {};
    }
    line.remove_prefix(start);
    return std::filesystem::path(std::string(line.substr(0, line.find_first_of(" \t\r"))));
}

}  // namespace

ProgramCheck CheckProgramRuns(const std::filesystem::path& file) {
    if (file.empty() || !IsRunnableFile(file)) {
        return ProgramCheck::NotExecutable;
    }
    const std::string head = ReadHead(file);
    if (IsElf(head)) {
        // This process runs here, so its own head says what this machine runs.
        const std::string own = ReadHead("/proc/self/exe");
        return IsElf(own) && ElfKind(own) == ElfKind(head) ? ProgramCheck::Runnable
                                                           : ProgramCheck::OtherMachine;
    }
    if (head.starts_with("MZ")) {
        return ProgramCheck::WindowsProgram;
    }
    if (head.starts_with("#!")) {
        const std::filesystem::path interpreter = Interpreter(head);
        return interpreter.is_absolute() && IsRunnableFile(interpreter)
                   ? ProgramCheck::Runnable
                   : ProgramCheck::MissingInterpreter;
    }
    return ProgramCheck::NotAProgram;
}

}  // namespace tessel
