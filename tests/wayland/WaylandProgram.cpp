#include "WaylandProgram.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/Utf8.h"
#include "platform/posix/RequestEndpointFrame.h"
#include "skin/SkinIni.h"

namespace tessel::testing {

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kMainMarker = 0x4D41494E;  // 'MAIN'

// Walks tiled and floating children alike; floating ones come in stacking order.
void CollectViews(const QJsonObject& node, qint64 pid, bool floating,
                  std::vector<SwayView>& views) {
    if (node.value(QStringLiteral("pid")).toInteger(-1) == pid) {
        const QJsonObject rect = node.value(QStringLiteral("rect")).toObject();
        views.push_back(
            {QRect(rect.value(QStringLiteral("x")).toInt(), rect.value(QStringLiteral("y")).toInt(),
                   rect.value(QStringLiteral("width")).toInt(),
                   rect.value(QStringLiteral("height")).toInt()),
             floating ||
                 node.value(QStringLiteral("type")).toString() == QStringLiteral("floating_con"),
             node.value(QStringLiteral("focused")).toBool(),
             node.value(QStringLiteral("visible")).toBool(),
             node.value(QStringLiteral("name")).toString()});
    }
    for (const auto& child : node.value(QStringLiteral("nodes")).toArray()) {
        CollectViews(child.toObject(), pid, floating, views);
    }
    for (const auto& child : node.value(QStringLiteral("floating_nodes")).toArray()) {
        CollectViews(child.toObject(), pid, true, views);
    }
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

void WaylandProgram::SetUp() {
    if (!m_sway.Start(kScreen.width(), kScreen.height())) {
        // Said on standard output as well, for the log of a run that skips.
        std::printf("Wayland tests skipped: %s\n", m_sway.Reason().c_str());
        GTEST_SKIP() << m_sway.Reason();
    }
    // A copy the compositor's user owns: the build tree's parents need not
    // let other users in.
    m_programFolder = m_sway.StageForUser(TESSEL_PROGRAM_DIR, "program");
    ASSERT_FALSE(m_programFolder.empty());
    ASSERT_TRUE(fs::exists(m_programFolder / "tessel"));
    m_userFolder = m_sway.UserFolder("user");
    for (const char* name : {"config", "data", "cache", "state"}) {
        m_sway.UserFolder("user/" + std::string(name));
    }
}

pid_t WaylandProgram::Start(const std::vector<std::string>& arguments,
                            const std::map<std::string, std::string>& extra) {
    std::vector<std::string> argv{(m_programFolder / "tessel").string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::map<std::string, std::string> environment{
        {"QT_QPA_PLATFORM", "wayland"},
        {"XDG_CONFIG_HOME", (m_userFolder / "config").string()},
        {"XDG_DATA_HOME", (m_userFolder / "data").string()},
        {"XDG_CACHE_HOME", (m_userFolder / "cache").string()},
        {"XDG_STATE_HOME", (m_userFolder / "state").string()},
        {"TORVEX_BACKEND", "sim"},
        {"TORVEX_SIM_STATE", (m_userFolder / "keyboard.state").string()},
        {"LANG", "C.UTF-8"},
    };
    // A sanitizer build of the program is told what the test was told.
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
        if (const char* value = std::getenv(name)) {
            environment[name] = value;
        }
    }
    for (const auto& [name, value] : extra) {
        environment[name] = value;
    }
    const fs::path errors = m_userFolder / ("stderr" + std::to_string(m_errorFiles.size()));
    const pid_t pid = m_sway.Spawn(argv, environment, errors);
    EXPECT_GT(pid, 0) << argv[0];
    m_errorFiles[pid] = errors;
    return pid;
}

std::optional<int> WaylandProgram::Run(const std::vector<std::string>& arguments,
                                       const std::map<std::string, std::string>& extra) {
    return m_sway.WaitForExit(Start(arguments, extra), std::chrono::seconds(30));
}

std::string WaylandProgram::ErrorOutput(pid_t pid) const {
    const auto file = m_errorFiles.find(pid);
    return file == m_errorFiles.end() ? std::string() : ReadText(file->second);
}

bool WaylandProgram::Answers(pid_t pid) {
    const fs::path socket = fs::path(m_sway.ClientEnvironment().at("XDG_RUNTIME_DIR")) /
                            ("Zerkon_PX5." + std::to_string(pid) + ".sock");
    const std::vector<uint8_t> request = EncodeRequest(kMainMarker, WindowRequest{0, 0, 0}, {});
    // The endpoint takes requests from its own user only.
    return m_sway.RunAsUser([&] {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        std::array<uint8_t, 4> taken{};
        const bool answered =
            fd >= 0 &&
            connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
            TransferBytes(fd, const_cast<uint8_t*>(request.data()), request.size(), false, 2000) &&
            TransferBytes(fd, taken.data(), taken.size(), true, 2000) &&
            taken == kRequestTakenBytes;
        return answered ? 0 : 1;
    }) == 0;
}

std::vector<SwayView> WaylandProgram::Views(pid_t pid) {
    std::vector<SwayView> views;
    const auto tree = m_sway.Message("get_tree");
    if (!tree) {
        return views;
    }
    m_lastTree = *tree;
    CollectViews(QJsonDocument::fromJson(QByteArray::fromStdString(*tree)).object(), pid, false,
                 views);
    return views;
}

bool WaylandProgram::WaitForViews(
    pid_t pid, const std::function<bool(const std::vector<SwayView>&)>& condition,
    std::chrono::milliseconds bound) {
    return HeadlessSway::WaitUntil([&] { return condition(Views(pid)); }, bound);
}

QSize WaylandProgram::SkinSize(const std::string& iniName) const {
    const fs::path skins = m_programFolder / "Skins";
    const ScreenPictures pictures = ReadScreenPictures(skins / iniName);
    return QImageReader(QString::fromStdString((skins / ToUtf8(pictures.main)).string())).size();
}

QPoint WaylandProgram::SkinCentre(const std::string& iniName, const std::u16string& entry) const {
    const SkinRect rect = ReadSkinRect(m_programFolder / "Skins" / iniName, u"BUTTONINFO", entry);
    return QPoint(rect.left + rect.width / 2, rect.top + rect.height / 2);
}

bool WaylandProgram::Click(QPoint point, std::string& reason) {
    return SendPointer(std::to_string(point.x()) + " " + std::to_string(point.y()), reason);
}

bool WaylandProgram::Drag(QPoint from, QPoint to, std::string& reason) {
    return SendPointer(std::to_string(from.x()) + " " + std::to_string(from.y()) + " " +
                           std::to_string(to.x()) + " " + std::to_string(to.y()),
                       reason);
}

bool WaylandProgram::SendPointer(const std::string& command, std::string& reason) {
#ifdef TESSEL_WAYLAND_CLICK
    if (m_clicks < 0 && !StartPointer(reason)) {
        return false;
    }
    const std::string line = command + "\n";
    if (write(m_clicks, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
        reason = "the virtual pointer has ended: " + ReadText(m_userFolder / "pointer.log");
        return false;
    }
    return true;
#else
    (void)command;
    reason = "built without libwayland-client, so without the virtual pointer that clicks";
    return false;
#endif
}

bool WaylandProgram::StartPointer(std::string& reason) {
#ifdef TESSEL_WAYLAND_CLICK
    const fs::path tool = m_sway.StageForUser(TESSEL_WAYLAND_CLICK, "wayland_click");
    const fs::path fifo = m_userFolder / "clicks";
    if (tool.empty() || mkfifo(fifo.c_str(), 0600) != 0 ||
        chown(fifo.c_str(), m_sway.Uid(), static_cast<gid_t>(-1)) != 0) {
        reason = "cannot prepare the virtual pointer";
        return false;
    }
    const pid_t pid = m_sway.Spawn({tool.string(), std::to_string(kScreen.width()),
                                    std::to_string(kScreen.height()), fifo.string()},
                                   {}, m_userFolder / "pointer.log");
    // Opening for writing succeeds once the pointer has opened its end.
    HeadlessSway::WaitUntil([&] {
        m_clicks = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        return m_clicks >= 0 || !m_sway.IsRunning(pid);
    });
    if (m_clicks < 0) {
        reason = "the virtual pointer did not start: " + ReadText(m_userFolder / "pointer.log");
        return false;
    }
    fcntl(m_clicks, F_SETFL, 0);
    return true;
#else
    reason = "built without libwayland-client";
    return false;
#endif
}

void WaylandProgram::TearDown() {
    if (m_clicks >= 0) {
        close(m_clicks);
    }
}

}  // namespace tessel::testing
