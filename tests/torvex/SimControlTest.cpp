// The text commands of the simulated keyboard, over the control socket and
// through the torvex-sim tool.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "RecordingSink.h"
#include "SimCommandLine.h"
#include "SimCommands.h"
#include "SimControlServer.h"
#include "SimKeyboard.h"

namespace torvex {
namespace {

class SimControl : public ::testing::Test {
protected:
    SimKeyboard keyboard;
    RecordingSink sink;

    void SetUp() override { keyboard.Attach(&sink); }
    std::string Run(std::string_view line) { return RunSimCommand(keyboard, SplitWords(line)); }
};

TEST_F(SimControl, PlugUnplugAndStatus) {
    EXPECT_NE(Run("status").find("plugged: yes"), std::string::npos);
    EXPECT_EQ(Run("unplug"), "ok\n");
    EXPECT_EQ(Run("unplug").rfind("error:", 0), 0u);
    EXPECT_NE(Run("status").find("plugged: no"), std::string::npos);
    EXPECT_EQ(Run("notify 0x0401").rfind("error:", 0), 0u);
    EXPECT_EQ(Run("  plug  "), "ok\n");
    ASSERT_EQ(sink.Presence().size(), 2u);
    EXPECT_TRUE(sink.Presence()[0].empty());
    EXPECT_EQ(sink.Presence()[1].size(), 3u);
}

TEST_F(SimControl, NotifyAndProfileKeySendCodesOnTheConsumerInterface) {
    EXPECT_EQ(Run("notify 0x02FF"), "ok\n");
    EXPECT_EQ(Run("profile-key"), "ok\n");
    EXPECT_EQ(Run("notify 65536").rfind("error:", 0), 0u);
    EXPECT_EQ(Run("notify").rfind("error:", 0), 0u);
    EXPECT_EQ(Run("notify 12abc").rfind("error:", 0), 0u);
    auto reports = sink.Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].source, SimConsumerInterface());
    EXPECT_EQ(reports[0].bytes, (std::vector<uint8_t>{0xFF, 0x02}));
    EXPECT_EQ(reports[1].bytes, (std::vector<uint8_t>{0x01, 0x04}));
    EXPECT_EQ(keyboard.ActiveProfile(), 1);
}

TEST_F(SimControl, FaultsAreQueuedDescribedAndCleared) {
    EXPECT_EQ(Run("fault busy-fe 2"), "ok\n");
    EXPECT_EQ(Run("fault delay 1500"), "ok\n");
    EXPECT_EQ(Run("fault remove 3"), "ok\n");
    std::string status = Run("status");
    EXPECT_NE(status.find("busy-fe x2"), std::string::npos);
    EXPECT_NE(status.find("delay 1500 ms x1"), std::string::npos);
    EXPECT_NE(status.find("remove after 3 frames"), std::string::npos);
    EXPECT_EQ(Run("fault clear"), "ok\n");
    EXPECT_NE(Run("status").find("faults: none"), std::string::npos);

    EXPECT_EQ(Run("fault sometimes 1").rfind("error:", 0), 0u);
    EXPECT_EQ(Run("fault lost").rfind("error:", 0), 0u);
    EXPECT_EQ(Run("fault lost 1 2").rfind("error:", 0), 0u);
    EXPECT_EQ(Run("fault lost -1").rfind("error:", 0), 0u);
}

TEST_F(SimControl, AFrameDelayHoldsBackEveryReplyAndAddsToADelayFault) {
    Frame request{};
    request[0] = kReportId;
    request[kCommandAt] = kTestCommand;
    StampChecksum(request);
    auto delayOfNextReply = [&] {
        keyboard.Receive(SimCommandInterface(), request);
        return sink.Reports().back().delay;
    };

    EXPECT_EQ(delayOfNextReply(), std::chrono::milliseconds(0));
    EXPECT_EQ(Run("frame-delay 2"), "ok\n");
    EXPECT_NE(Run("status").find("frame delay: 2 ms"), std::string::npos);
    EXPECT_EQ(delayOfNextReply(), std::chrono::milliseconds(2));
    EXPECT_EQ(delayOfNextReply(), std::chrono::milliseconds(2));
    EXPECT_EQ(Run("fault delay 100"), "ok\n");
    EXPECT_EQ(delayOfNextReply(), std::chrono::milliseconds(102));
    // Clearing the faults keeps the link's own pace.
    EXPECT_EQ(Run("fault clear"), "ok\n");
    EXPECT_EQ(delayOfNextReply(), std::chrono::milliseconds(2));

    for (const char* bad :
         {"frame-delay", "frame-delay -1", "frame-delay 10001", "frame-delay 2x"}) {
        EXPECT_EQ(Run(bad).rfind("error:", 0), 0u) << bad;
    }
    EXPECT_EQ(keyboard.FrameDelay(), 2);
    EXPECT_EQ(Run("frame-delay 0"), "ok\n");
    EXPECT_EQ(delayOfNextReply(), std::chrono::milliseconds(0));
}

TEST_F(SimControl, DumpFirmwareLogAndReset) {
    std::string dump = Run("dump default-key-block");
    ASSERT_EQ(dump.rfind("ok\n", 0), 0u);
    EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 1 + 12);  // 192 bytes, 16 a line
    EXPECT_NE(dump.find("0000: 05 00 00 05"), std::string::npos);
    EXPECT_EQ(Run("dump everything").rfind("error:", 0), 0u);

    EXPECT_EQ(Run("firmware 0x0101"), "ok\n");
    EXPECT_EQ(keyboard.FirmwareVersion(), 0x0101);
    EXPECT_NE(Run("dump device-info").find("0000: 0F 32 0F 50 00 00 00 00 01 01"),
              std::string::npos);

    EXPECT_TRUE(keyboard.Notify(0x1810));
    Frame request{};
    request[0] = kReportId;
    request[kCommandAt] = kTestCommand;
    StampChecksum(request);
    LabelFramesOfThisThread(4242);
    keyboard.Receive(SimCommandInterface(), request);
    LabelFramesOfThisThread(0);
    std::string log = Run("log");
    EXPECT_NE(log.find("     0 <- consumer  10 18\n"), std::string::npos) << log;
    EXPECT_NE(log.find("  4242 -> command   04 "), std::string::npos) << log;
    EXPECT_NE(log.find("  4242 <- command   04 "), std::string::npos) << log;
    EXPECT_EQ(Run("reset"), "ok\n");
    EXPECT_EQ(keyboard.FirmwareVersion(), 0x0102);
    EXPECT_EQ(Run("log"), "ok\n");
    EXPECT_EQ(Run("teleport").rfind("error:", 0), 0u);
    EXPECT_NE(Run("help").find("profile-key"), std::string::npos);
}

std::string RunTool(const std::string& arguments, int& status) {
    std::string command = std::string(TESSEL_PROGRAM_DIR) + "/torvex-sim " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string output;
    char chunk[512];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
        output.append(chunk, got);
    }
    status = WEXITSTATUS(::pclose(pipe));
    return output;
}

TEST_F(SimControl, TheMacroAreaCanBeMadeMalformedAndEmptyAgain) {
    EXPECT_EQ(Run("macro-area malformed"), "ok\n");
    const std::vector<uint8_t> area = keyboard.ReadArea(SimArea::Macro);
    ASSERT_GE(area.size(), 18u);
    EXPECT_EQ(area[0] | area[1] << 8, 0x55AA);
    const std::size_t size = area[2] | area[3] << 8;
    const std::size_t entryAt = area[16] | area[17] << 8;
    EXPECT_EQ(area[4] | area[5] << 8, 1) << "one macro";
    EXPECT_GT(entryAt + 4, size) << "whose entry lies outside the area";
    EXPECT_EQ(Run("macro-area empty"), "ok\n");
    EXPECT_EQ(keyboard.ReadArea(SimArea::Macro)[2], 16);
    EXPECT_EQ(keyboard.ReadArea(SimArea::Macro)[4], 0);
    EXPECT_EQ(Run("macro-area").rfind("error:", 0), 0u);
}

TEST_F(SimControl, TheToolDrivesTheKeyboardThroughAnOwnerOnlySocket) {
    const auto socket = std::filesystem::temp_directory_path() /
                        ("torvex-control-" + std::to_string(::getpid()) + ".sock");
    {
        SimControlServer server(keyboard);
        ASSERT_TRUE(server.Open(socket));
        struct stat info {};
        ASSERT_EQ(::stat(socket.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);

        int status = -1;
        EXPECT_EQ(RunTool("--socket " + socket.string() + " notify 0x0401", status), "ok\n");
        EXPECT_EQ(status, 0);
        ASSERT_EQ(sink.Reports().size(), 1u);
        EXPECT_EQ(sink.Reports()[0].bytes, (std::vector<uint8_t>{0x01, 0x04}));

        std::string answer = RunTool("--socket " + socket.string() + " fault nonsense 1", status);
        EXPECT_EQ(answer.rfind("error:", 0), 0u);
        EXPECT_EQ(status, 1);
    }
    EXPECT_FALSE(std::filesystem::exists(socket));  // removed when the server closes

    int status = -1;
    std::string answer = RunTool("--socket " + socket.string() + " status", status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(answer.find("cannot reach"), std::string::npos);
    unsetenv("TORVEX_SIM_CONTROL");
    RunTool("status", status);
    EXPECT_EQ(status, 2);
}

TEST_F(SimControl, AStaleSocketFileIsReplaced) {
    const auto socket = std::filesystem::temp_directory_path() /
                        ("torvex-stale-" + std::to_string(::getpid()) + ".sock");
    // A crashed process leaves its bound socket file behind with nobody listening.
    int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket.c_str());
    ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(stale);
    ASSERT_TRUE(std::filesystem::is_socket(socket));

    SimControlServer server(keyboard);
    ASSERT_TRUE(server.Open(socket));
    int status = -1;
    EXPECT_EQ(RunTool("--socket " + socket.string() + " unplug", status), "ok\n");
    EXPECT_FALSE(keyboard.IsPlugged());
}

}  // namespace
}  // namespace torvex
