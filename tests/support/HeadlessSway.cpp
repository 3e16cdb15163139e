#include "HeadlessSway.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <thread>

namespace tessel::testing {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string LastLines(const std::string& text, int count) {
    size_t at = text.size();
    while (count-- > 0 && at > 0) {
        at = text.rfind('\n', at - 1);
        if (at == std::string::npos) {
            return text;
        }
    }
    return text.substr(at);
}

// argv[0] itself when it names a path, else its place on PATH; empty when absent.
std::string FindProgram(const std::string& name, const std::string& path) {
    if (name.find('/') != std::string::npos) {
        return name;
    }
    std::istringstream folders(path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const fs::path candidate = fs::path(folder) / name;
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate.string();
        }
    }
    return {};
}

struct ChildIdentity {
    bool switchUser = false;
    uid_t uid = 0;
    gid_t gid = 0;
};

// fork + exec with everything prepared beforehand, so the child only makes
// async-signal-safe calls. The child leads its own process group.
pid_t SpawnAs(const ChildIdentity& identity, const std::vector<std::string>& argv,
              const std::map<std::string, std::string>& environment, const fs::path& output,
              const fs::path& folder) {
    const auto path = environment.count("PATH") ? environment.at("PATH") : std::string("/usr/bin");
    const std::string program = FindProgram(argv.at(0), path);
    if (program.empty()) {
        return -1;
    }
    std::vector<std::string> envText;
    for (const auto& [name, value] : environment) {
        envText.push_back(name + "=" + value);
    }
    std::vector<char*> args;
    std::vector<std::string> argText = argv;
    for (auto& argument : argText) {
        args.push_back(argument.data());
    }
    args.push_back(nullptr);
    std::vector<char*> env;
    for (auto& entry : envText) {
        env.push_back(entry.data());
    }
    env.push_back(nullptr);
    const std::string outputText = output.empty() ? std::string("/dev/null") : output.string();
    const std::string folderText = folder.string();

    const pid_t pid = fork();
    if (pid != 0) {
        return pid;
    }
    setpgid(0, 0);
    const int out = open(outputText.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (out < 0 || in < 0 || dup2(in, STDIN_FILENO) < 0 || dup2(out, STDOUT_FILENO) < 0 ||
        dup2(out, STDERR_FILENO) < 0) {
        _exit(126);
    }
    if (identity.switchUser &&
        (setgroups(0, nullptr) != 0 || setgid(identity.gid) != 0 || setuid(identity.uid) != 0)) {
        _exit(126);
    }
    if (chdir(folderText.c_str()) != 0) {
        _exit(126);
    }
    execve(program.c_str(), args.data(), env.data());
    _exit(127);
}

std::optional<int> WaitFor(pid_t pid, std::chrono::milliseconds bound) {
    int status = 0;
    const bool ended =
        HeadlessSway::WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, bound);
    if (!ended) {
        return std::nullopt;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void EndGroup(pid_t pid) {
    if (pid <= 0 || waitpid(pid, nullptr, WNOHANG) == pid) {
        return;
    }
    kill(-pid, SIGTERM);
    if (!WaitFor(pid, 3s)) {
        kill(-pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

constexpr const char* kPath = "/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin";

}  // namespace

bool HeadlessSway::WaitUntil(const std::function<bool()>& condition,
                             std::chrono::milliseconds bound) {
    const auto end = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

HeadlessSway::HeadlessSway() = default;

HeadlessSway::~HeadlessSway() {
    for (pid_t client : m_clients) {
        EndGroup(client);
    }
    EndGroup(m_sway);
    if (!m_folder.empty()) {
        std::error_code error;
        fs::remove_all(m_folder, error);
    }
}

bool HeadlessSway::Fail(std::string reason) {
    m_reason = std::move(reason);
    return false;
}

bool HeadlessSway::ChooseUser() {
    if (geteuid() != 0) {
        m_uid = geteuid();
        m_gid = getegid();
        return true;
    }
    if (getpwnam(kUserName) == nullptr) {
        const std::string useradd = FindProgram("useradd", kPath);
        if (useradd.empty()) {
            return Fail("sway refuses to run as root and useradd is missing to make a user for it");
        }
        // Two tests may race to make the user: the loser's useradd fails,
        // and the user exists all the same.
        const pid_t pid = SpawnAs({},
                                  {useradd, "--system", "--no-create-home", "--home-dir",
                                   "/nonexistent", "--shell", "/usr/sbin/nologin", kUserName},
                                  {{"PATH", kPath}}, {}, "/");
        if (pid > 0) {
            WaitFor(pid, 30s);
        }
    }
    const passwd* user = getpwnam(kUserName);
    if (user == nullptr) {
        return Fail(std::string("sway refuses to run as root and the user ") + kUserName +
                    " could not be made");
    }
    m_uid = user->pw_uid;
    m_gid = user->pw_gid;
    return true;
}

fs::path HeadlessSway::UserFolder(const std::string& name) {
    const fs::path folder = m_folder / name;
    fs::create_directories(folder);
    if (chown(folder.c_str(), m_uid, m_gid) != 0) {
        return {};
    }
    fs::permissions(folder, fs::perms::owner_all);
    return folder;
}

fs::path HeadlessSway::StageForUser(const fs::path& source, const std::string& name) {
    const fs::path target = m_folder / name;
    fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    for (const auto& entry : fs::recursive_directory_iterator(target)) {
        lchown(entry.path().c_str(), m_uid, m_gid);
    }
    if (chown(target.c_str(), m_uid, m_gid) != 0) {
        return {};
    }
    return target;
}

bool HeadlessSway::WriteConfig(int width, int height) {
    std::ofstream config(m_folder / "config");
    config << "xwayland disable\n"
           << "output * resolution " << width << "x" << height
           << " position 0 0 bg #202830 solid_color\n"
           // A second start must be able to bring a window forward.
           << "focus_on_window_activation focus\n";
    return static_cast<bool>(config);
}

bool HeadlessSway::Start(int width, int height) {
    const std::string sway = FindProgram("sway", kPath);
    if (sway.empty() || FindProgram("swaymsg", kPath).empty()) {
        return Fail("sway is not installed (scripts/setup.sh installs it)");
    }
    if (!ChooseUser()) {
        return false;
    }
    std::string pattern = (fs::temp_directory_path() / "tessel-sway-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return Fail("no temporary folder for the compositor");
    }
    m_folder = pattern;
    // The folder belongs to the compositor's user, so it can reach what the
    // test puts there whatever the permissions of the temporary folder.
    if (chown(m_folder.c_str(), m_uid, m_gid) != 0) {
        return Fail("cannot give the compositor's folder to its user");
    }
    fs::permissions(m_folder, fs::perms::owner_all);
    for (fs::path parent = m_folder.parent_path(); parent != parent.root_path();
         parent = parent.parent_path()) {
        struct stat info {};
        if (stat(parent.c_str(), &info) != 0 ||
            (info.st_uid != m_uid && (info.st_mode & S_IXOTH) == 0)) {
            return Fail("the compositor's user cannot reach " + parent.string() +
                        " (set TMPDIR to a folder others may enter)");
        }
    }
    m_runtime = UserFolder("run");
    UserFolder("home");
    m_sock = m_runtime / "sway.sock";
    if (m_runtime.empty() || !WriteConfig(width, height)) {
        return Fail("cannot prepare the compositor's folders");
    }

    std::map<std::string, std::string> environment{
        {"HOME", (m_folder / "home").string()},
        {"PATH", kPath},
        {"XDG_RUNTIME_DIR", m_runtime.string()},
        {"SWAYSOCK", m_sock.string()},
        {"WLR_BACKENDS", "headless"},
        {"WLR_LIBINPUT_NO_DEVICES", "1"},
        {"WLR_HEADLESS_OUTPUTS", "1"},
        // No GPU on test machines; grim's screen copies work with it too.
        {"WLR_RENDERER", "pixman"},
    };
    const fs::path log = m_folder / "sway.log";
    m_sway =
        SpawnAs({geteuid() == 0, m_uid, m_gid}, {sway, "--config", (m_folder / "config").string()},
                environment, log, m_folder);
    if (m_sway < 0) {
        return Fail("sway could not be started");
    }
    bool ended = false;
    const bool answers = WaitUntil(
        [&] {
            if (waitpid(m_sway, nullptr, WNOHANG) == m_sway) {
                ended = true;
                return true;
            }
            return fs::exists(m_sock) && Message("get_version").has_value();
        },
        20s);
    if (ended) {
        m_sway = -1;
        return Fail("sway ended at start:" + LastLines(ReadText(log), 5));
    }
    if (!answers) {
        return Fail("sway did not answer within 20 s:" + LastLines(ReadText(log), 5));
    }
    m_display = FindWaylandSocket();
    if (m_display.empty()) {
        return Fail("sway answers but offers no Wayland socket");
    }
    return true;
}

std::string HeadlessSway::FindWaylandSocket() const {
    for (const auto& entry : fs::directory_iterator(m_runtime)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("wayland-") && entry.is_socket()) {
            return name;
        }
    }
    return {};
}

std::map<std::string, std::string> HeadlessSway::ClientEnvironment() const {
    return {{"HOME", (m_folder / "home").string()},
            {"PATH", kPath},
            {"XDG_RUNTIME_DIR", m_runtime.string()},
            {"WAYLAND_DISPLAY", m_display},
            {"SWAYSOCK", m_sock.string()}};
}

pid_t HeadlessSway::Spawn(const std::vector<std::string>& argv,
                          const std::map<std::string, std::string>& extra, const fs::path& output) {
    auto environment = ClientEnvironment();
    for (const auto& [name, value] : extra) {
        environment[name] = value;
    }
    const pid_t pid =
        SpawnAs({geteuid() == 0, m_uid, m_gid}, argv, environment, output, m_folder / "home");
    if (pid > 0) {
        m_clients.push_back(pid);
    }
    return pid;
}

std::optional<int> HeadlessSway::WaitForExit(pid_t pid, std::chrono::milliseconds bound) {
    const auto status = WaitFor(pid, bound);
    if (status) {
        std::erase(m_clients, pid);
    }
    return status;
}

bool HeadlessSway::IsRunning(pid_t pid) {
    return waitpid(pid, nullptr, WNOHANG) == 0;
}

std::optional<HeadlessSway::Outcome> HeadlessSway::Run(
    const std::vector<std::string>& argv, std::chrono::milliseconds bound,
    const std::map<std::string, std::string>& extra) {
    static int counter = 0;
    const fs::path output = m_folder / ("output" + std::to_string(counter++));
    const pid_t pid = Spawn(argv, extra, output);
    if (pid < 0) {
        return std::nullopt;
    }
    const auto status = WaitForExit(pid, bound);
    Outcome outcome;
    outcome.output = ReadText(output);
    fs::remove(output);
    if (!status) {
        return std::nullopt;
    }
    outcome.status = *status;
    return outcome;
}

std::optional<std::string> HeadlessSway::Message(const std::string& type,
                                                 const std::string& command) {
    std::vector<std::string> argv{"swaymsg", "--socket", m_sock.string(), "--raw", "-t", type};
    if (!command.empty()) {
        argv.push_back(command);
    }
    const auto outcome = Run(argv, 5s);
    if (!outcome || outcome->status != 0) {
        return std::nullopt;
    }
    return outcome->output;
}

bool HeadlessSway::Command(const std::string& command) {
    const auto reply = Message("command", command);
    return reply && reply->find("\"success\": false") == std::string::npos &&
           reply->find("\"success\":false") == std::string::npos;
}

bool HeadlessSway::Screenshot(const fs::path& file, const std::string& geometry) {
    const fs::path picture = UserFolder("shots") / file.filename();
    std::vector<std::string> argv{"grim"};
    if (!geometry.empty()) {
        argv.insert(argv.end(), {"-g", geometry});
    }
    argv.push_back(picture.string());
    const auto outcome = Run(argv, 10s);
    if (!outcome || outcome->status != 0) {
        return false;
    }
    std::error_code error;
    fs::copy_file(picture, file, fs::copy_options::overwrite_existing, error);
    return !error;
}

bool HeadlessSway::Type(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{"wtype"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const auto outcome = Run(argv, 10s);
    return outcome && outcome->status == 0;
}

}  // namespace tessel::testing
