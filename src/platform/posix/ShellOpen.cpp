#include "platform/ShellOpen.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <mutex>

#include "platform/Utf8.h"

namespace tessel {

namespace {

std::mutex replacementLock;
ShellOpenFunction replacement;

bool IsWebAddress(const std::string& target) {
    auto colon = target.find("://");
    return (colon != std::string::npos && colon > 0 && target.find('/') == colon + 1) ||
           target.starts_with("mailto:");
}

// An opener that ends with a failure status within this time found no
// application for the document: that is reported like a failed start.
constexpr long kOpenerWatchNanoseconds = 300'000'000;
constexpr long kOpenerPollNanoseconds = 10'000'000;
constexpr int kOpenerFailed = -1;

// Starts `argv` detached from this process (its own session, reaped by init),
// and reports whether the exec succeeded; with `watchOpener` also whether it
// ended at once with a failure status.
int SpawnDetached(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                  ShowCommand show, bool watchOpener = false) {
    std::vector<char*> args;
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    const std::string workingFolder = folder.string();

    int status[2];
    if (pipe2(status, O_CLOEXEC) != 0) {
        return kShellOpenAccessDenied;
    }
    pid_t child = fork();
    if (child < 0) {
        close(status[0]);
        close(status[1]);
        return kShellOpenAccessDenied;
    }
    if (child == 0) {
        // Only async-signal-safe calls from here on.
        close(status[0]);
        setsid();
        const pid_t started = fork();
        if (started < 0) {
            // Nothing was started: say so, as a failed exec would.
            int failure = errno;
            ssize_t ignored = write(status[1], &failure, sizeof failure);
            (void)ignored;
            _exit(127);
        }
        if (started > 0) {
            for (long waited = 0; watchOpener && waited < kOpenerWatchNanoseconds;
                 waited += kOpenerPollNanoseconds) {
                int ended = 0;
                if (waitpid(started, &ended, WNOHANG) == started) {
                    if (!WIFEXITED(ended) || WEXITSTATUS(ended) != 0) {
                        int failure = kOpenerFailed;
                        ssize_t ignored = write(status[1], &failure, sizeof failure);
                        (void)ignored;
                    }
                    break;
                }
                const timespec poll{0, kOpenerPollNanoseconds};
                nanosleep(&poll, nullptr);
            }
            _exit(0);
        }
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        if (show == ShowCommand::Hidden) {
            int null = open("/dev/null", O_RDWR);
            if (null >= 0) {
                dup2(null, STDIN_FILENO);
                dup2(null, STDOUT_FILENO);
                dup2(null, STDERR_FILENO);
            }
        }
        int failure = 0;
        if (!workingFolder.empty() && chdir(workingFolder.c_str()) != 0) {
            failure = errno;
        } else {
            execv(args[0], args.data());
            failure = errno;
        }
        ssize_t ignored = write(status[1], &failure, sizeof failure);
        (void)ignored;
        _exit(127);
    }
    close(status[1]);
    int waited;
    while ((waited = waitpid(child, nullptr, 0)) < 0 && errno == EINTR) {
    }
    int failure = 0;
    ssize_t got;
    while ((got = read(status[0], &failure, sizeof failure)) < 0 && errno == EINTR) {
    }
    close(status[0]);
    if (got <= 0) {
        return kShellOpenStarted;
    }
    if (failure == kOpenerFailed) {
        return kShellOpenNoAssociation;
    }
    return failure == ENOENT || failure == ENOTDIR ? kShellOpenFileNotFound
                                                   : kShellOpenAccessDenied;
}

}  // namespace

std::filesystem::path FindProgramOnPath(std::string_view program) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!folders.empty()) {
        const auto end = folders.find(':');
        const std::string_view folder = folders.substr(0, end);
        // Only absolute entries: the working folder never decides what runs.
        if (folder.starts_with('/')) {
            const std::filesystem::path candidate = std::filesystem::path(folder) / program;
            std::error_code error;
            if (std::filesystem::is_regular_file(candidate, error) &&
                access(candidate.c_str(), X_OK) == 0) {
                return candidate;
            }
        }
        folders.remove_prefix(end == std::string_view::npos ? folders.size() : end + 1);
    }
    return {};
}

bool IsExecutableFile(const std::filesystem::path& file) {
    struct stat info {};
    return !file.empty() && stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(file.c_str(), X_OK) == 0;
}

int StartProgram(const std::filesystem::path& program, ShowCommand show) {
    struct stat info {};
    if (program.empty() || stat(program.c_str(), &info) != 0) {
        return kShellOpenFileNotFound;
    }
    if (!IsExecutableFile(program)) {
        return kShellOpenAccessDenied;
    }
    return SpawnDetached({std::filesystem::absolute(program).string()}, {}, show);
}

std::vector<std::string> SplitParameters(std::u16string_view parameters) {
    std::vector<std::string> arguments;
    const std::string text = ToUtf8(parameters);
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) {
                arguments.push_back(std::move(current));
                current.clear();
                inArgument = false;
            }
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) {
        arguments.push_back(std::move(current));
    }
    return arguments;
}

void ReplaceShellOpen(ShellOpenFunction function) {
    const std::lock_guard lock(replacementLock);
    replacement = std::move(function);
}

int ShellOpen(const std::filesystem::path& target, std::u16string_view parameters,
              const std::filesystem::path& folder, ShowCommand show) {
    ShellOpenFunction replaced;
    {
        const std::lock_guard lock(replacementLock);
        replaced = replacement;
    }
    if (replaced) {
        return replaced(target, parameters, folder, show);
    }
    const std::string text = target.string();
    std::vector<std::string> argv;
    if (IsWebAddress(text)) {
        argv = {text};
    } else {
        const std::filesystem::path file =
            target.is_relative() && !folder.empty() ? folder / target : target;
        struct stat info {};
        if (file.empty() || stat(file.c_str(), &info) != 0) {
            return kShellOpenFileNotFound;
        }
        if (IsExecutableFile(file)) {
            argv = {std::filesystem::absolute(file).string()};
            for (auto& argument : SplitParameters(parameters)) {
                argv.push_back(std::move(argument));
            }
            return SpawnDetached(argv, folder, show);
        }
        argv = {std::filesystem::absolute(file).string()};
    }
    // A document or an address: the desktop's preferred application opens it.
    const std::filesystem::path opener = FindProgramOnPath("xdg-open");
    if (opener.empty()) {
        return kShellOpenNoAssociation;
    }
    argv.insert(argv.begin(), opener.string());
    return SpawnDetached(argv, folder, show, true);
}

}  // namespace tessel
