#include "ProgramFixture.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/posix/RequestEndpointFrame.h"

namespace tessel::testing {

namespace {

constexpr uint32_t kMainMarker = 0x4D41494E;  // 'MAIN'

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds bound) {
    const auto end = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void ProgramFixture::SetUp() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tessel-process-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_root = pattern;
    m_runtime = m_root / "run";
    m_config = m_root / "config";
    m_programFolder = m_root / "program";
    m_agentLog = m_root / "agent.log";
    for (const auto& folder : {m_runtime, m_config, m_programFolder, m_root / "home",
                               m_root / "data", m_root / "cache", m_root / "state"}) {
        std::filesystem::create_directories(folder);
    }
    std::filesystem::permissions(m_runtime, std::filesystem::perms::owner_all);

    // The instance search goes by file name: a name of our own keeps programs
    // started by other tests out of this one.
    static std::atomic<int> counter{0};
    m_programName = "tessel_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    const std::filesystem::path built = TESSEL_PROGRAM_DIR;
    for (const auto& entry : std::filesystem::directory_iterator(built)) {
        const auto name = entry.path().filename();
        if (name == "tessel") {
            std::filesystem::copy_file(entry.path(), m_programFolder / m_programName);
        } else if (name != "Vigilo.exe") {
            std::filesystem::create_symlink(entry.path(), m_programFolder / name);
        }
    }
    ASSERT_TRUE(std::filesystem::exists(m_programFolder / m_programName));
    const auto agent = m_programFolder / "Vigilo.exe";
    std::ofstream(agent) << "#!/bin/sh\necho started >> \"$TESSEL_TEST_AGENT_LOG\"\n";
    std::filesystem::permissions(agent, std::filesystem::perms::owner_all);
}

void ProgramFixture::TearDown() {
    for (pid_t child : m_children) {
        if (kill(child, 0) == 0) {
            kill(child, SIGKILL);
        }
        waitpid(child, nullptr, 0);
    }
    std::error_code error;
    std::filesystem::remove_all(m_root, error);
}

std::vector<std::string> ProgramFixture::Environment() const {
    std::vector<std::string> environment{
        "HOME=" + (m_root / "home").string(),
        "XDG_CONFIG_HOME=" + m_config.string(),
        "XDG_RUNTIME_DIR=" + m_runtime.string(),
        "XDG_DATA_HOME=" + (m_root / "data").string(),
        "XDG_CACHE_HOME=" + (m_root / "cache").string(),
        "XDG_STATE_HOME=" + (m_root / "state").string(),
        "PATH=/usr/local/bin:/usr/bin:/bin",
        "TORVEX_BACKEND=sim",
        "TORVEX_SIM_STATE=" + (m_root / "keyboard.state").string(),
        "TESSEL_TEST_AGENT_LOG=" + m_agentLog.string(),
    };
    if (!m_withoutDisplay) {
        environment.push_back("QT_QPA_PLATFORM=offscreen");
    }
    for (const auto& [name, value] : m_environment) {
        std::erase_if(environment,
                      [&](const std::string& entry) { return entry.starts_with(name + "="); });
        environment.push_back(name + "=" + value);
    }
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
        if (const char* value = std::getenv(name)) {
            environment.push_back(std::string(name) + "=" + value);
        }
    }
    return environment;
}

pid_t ProgramFixture::Start(const std::vector<std::string>& arguments,
                            const std::filesystem::path& workingFolder,
                            const std::string& programPath) {
    const std::string program =
        programPath.empty() ? (m_programFolder / m_programName).string() : programPath;
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> args;
    for (auto& argument : argv) {
        args.push_back(argument.data());
    }
    args.push_back(nullptr);
    std::vector<std::string> environment = Environment();
    std::vector<char*> env;
    for (auto& entry : environment) {
        env.push_back(entry.data());
    }
    env.push_back(nullptr);

    const std::string errors = (m_root / ("stderr" + std::to_string(m_errorFiles.size()))).string();
    const std::string folder = workingFolder.empty() ? m_root.string() : workingFolder.string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = -1;
    const int failed =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(failed, 0) << program;
    if (failed == 0) {
        m_children.push_back(pid);
        m_errorFiles[pid] = errors;
    }
    return pid;
}

std::optional<int> ProgramFixture::WaitForExit(pid_t pid, std::chrono::milliseconds bound) {
    int status = 0;
    bool ended = Eventually([&] { return waitpid(pid, &status, WNOHANG) == pid; }, bound);
    if (!ended) {
        return std::nullopt;
    }
    std::erase(m_children, pid);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ProgramFixture::IsRunning(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
}

bool ProgramFixture::WaitUntilAnswering(pid_t pid) {
    return Eventually([&] { return Answers(pid); });
}

std::optional<std::vector<uint8_t>> ProgramFixture::Exchange(pid_t pid,
                                                             const std::vector<uint8_t>& bytes,
                                                             std::chrono::milliseconds bound) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = SocketOf(pid).string();
    if (path.size() >= sizeof address.sun_path) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<std::vector<uint8_t>> answer;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size())) {
        answer.emplace();
        const auto end = std::chrono::steady_clock::now() + bound;
        while (true) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            pollfd waitFor{fd, POLLIN, 0};
            if (left.count() <= 0 || poll(&waitFor, 1, static_cast<int>(left.count())) <= 0) {
                answer.reset();  // still open: no answer within the bound
                break;
            }
            uint8_t buffer[256];
            const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
            if (got <= 0) {
                break;
            }
            answer->insert(answer->end(), buffer, buffer + got);
        }
    }
    close(fd);
    return answer;
}

bool ProgramFixture::Answers(pid_t pid, std::chrono::milliseconds bound) {
    // A request of no meaning to the instance: taken, answered with 0.
    const auto reply = Exchange(pid, EncodeRequest(kMainMarker, WindowRequest{0, 0, 0}, {}), bound);
    return reply && reply->size() >= kRequestTakenBytes.size() + kReplyHeaderSize &&
           std::equal(kRequestTakenBytes.begin(), kRequestTakenBytes.end(), reply->begin());
}

std::vector<pid_t> ProgramFixture::Endpoints() const {
    std::vector<pid_t> found;
    for (const auto& entry : std::filesystem::directory_iterator(m_runtime)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("Zerkon_PX5.") && name.ends_with(".sock")) {
            found.push_back(std::stoi(name.substr(11, name.size() - 16)));
        }
    }
    return found;
}

std::filesystem::path ProgramFixture::SocketOf(pid_t pid) const {
    return m_runtime / ("Zerkon_PX5." + std::to_string(pid) + ".sock");
}

int ProgramFixture::AgentStarts() const {
    const std::string log = ReadText(m_agentLog);
    return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
}

bool ProgramFixture::WaitForAgentStarts(int count) {
    return Eventually([&] { return AgentStarts() >= count; }) && AgentStarts() == count;
}

std::optional<int> ProgramFixture::Run(const std::vector<std::string>& arguments,
                                       std::string* errors) {
    const pid_t pid = Start(arguments);
    const auto status = WaitForExit(pid, std::chrono::seconds(30));
    if (errors) {
        *errors = ErrorOutput(pid);
    }
    return status;
}

std::string ProgramFixture::ErrorOutput(pid_t pid) const {
    auto file = m_errorFiles.find(pid);
    return file == m_errorFiles.end() ? std::string() : ReadText(file->second);
}

}  // namespace tessel::testing
