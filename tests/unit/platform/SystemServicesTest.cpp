// Events, library loading and the shell.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "PlatformTestSupport.h"
#include "platform/AutoResetEvent.h"
#include "platform/Library.h"
#include "platform/MessageMap.h"
#include "platform/NamedEvent.h"
#include "platform/ShellOpen.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using testing::ReadText;
using testing::ScopedEnv;
using testing::TempFolder;
using testing::WaitUntil;
using testing::WriteScript;

TEST(AutoResetEventTest, WakesOneWaiterAndResetsItself) {
    AutoResetEvent event;
    EXPECT_FALSE(event.Wait(10ms));

    std::atomic<int> woken{0};
    std::thread first([&] { woken += event.Wait(10s); });
    std::thread second([&] { woken += event.Wait(10s); });
    event.Set();
    ASSERT_TRUE(WaitUntil([&] { return woken == 1; }));
    event.Set();
    first.join();
    second.join();
    EXPECT_EQ(woken, 2);
    EXPECT_FALSE(event.Wait(10ms));

    // Set before anyone waits: the next wait returns at once, the one after does not.
    event.Set();
    event.Set();
    EXPECT_TRUE(event.Wait(0ms));
    EXPECT_FALSE(event.Wait(0ms));
    event.Set();
    event.Reset();
    EXPECT_FALSE(event.Wait(0ms));
}

TEST(NamedEventTest, ExistsUntilClosed) {
    const std::string name = "Tessel_Event_Test_" + std::to_string(getpid());
    NamedEvent event(name);
    ASSERT_TRUE(event.IsOpen());
    const auto file = std::filesystem::path("/dev/shm") / ("sem." + event.SystemName().substr(1));
    EXPECT_TRUE(std::filesystem::exists(file));
    {
        // A second handle of the same name is the same event.
        NamedEvent same(name);
        EXPECT_TRUE(same.IsOpen());
        EXPECT_EQ(same.SystemName(), event.SystemName());
    }
    NamedEvent again(name);
    again.Close();
    event.Close();
    EXPECT_FALSE(event.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(LibraryTest, LooksBesideTheProgramFirstThenInTheSystem) {
    TempFolder folder;
    // A name only the folder knows: found there or not at all.
    std::filesystem::create_symlink("/lib/x86_64-linux-gnu/libm.so.6",
                                    folder / "libtessel_test_math.so");
    auto beside = Library::Load(folder.Path(), "libtessel_test_math.so");
    ASSERT_TRUE(beside.has_value());
    EXPECT_NE(beside->Symbol("cos"), nullptr);
    EXPECT_EQ(beside->Symbol("NoSuchExport"), nullptr);

    auto system = Library::Load(folder.Path(), "libm.so.6");
    ASSERT_TRUE(system.has_value());
    EXPECT_NE(system->Symbol("sin"), nullptr);

    Library moved = std::move(*system);
    EXPECT_NE(moved.Symbol("sin"), nullptr);
}

TEST(LibraryTest, SaysWhyALibraryCannotBeLoaded) {
    TempFolder folder;
    std::string error;
    EXPECT_FALSE(Library::Load(folder.Path(), "libTorvexMissing.so", &error).has_value());
    EXPECT_NE(error.find("libTorvexMissing.so"), std::string::npos) << error;

    // A broken copy beside the program is not replaced by one from elsewhere.
    testing::WriteText(folder / "libm.so.6", "not a library");
    error.clear();
    EXPECT_FALSE(Library::Load(folder.Path(), "libm.so.6", &error).has_value());
    EXPECT_NE(error.find(folder.Path().string()), std::string::npos) << error;
}

TEST(MessageMapTest, DispatchesToTheLatestHandlerAndAnswersZeroOtherwise) {
    MessageMap map;
    map.On(0x5350, [](uintptr_t wParam, intptr_t lParam) {
        return static_cast<intptr_t>(wParam) + lParam;
    });
    EXPECT_EQ(map.Dispatch(WindowRequest{0x5350, 40, 2}), 42);
    map.On(0x5350, [](uintptr_t, intptr_t) { return intptr_t{7}; });
    EXPECT_EQ(map.Dispatch(WindowRequest{0x5350, 40, 2}), 7);
    EXPECT_TRUE(map.Handles(0x5350));
    EXPECT_FALSE(map.Handles(0x4D4B));
    EXPECT_EQ(map.Dispatch(WindowRequest{0x4D4B, 1, 1}), 0);
}

TEST(ShellOpenTest, SplitsParametersAtBlanksWithQuotesGrouping) {
    EXPECT_EQ(SplitParameters(u"In the upgrade"),
              (std::vector<std::string>{"In", "the", "upgrade"}));
    EXPECT_EQ(SplitParameters(u"  \"C:\\My Files\\a b\"  x\"y z\" \"\""),
              (std::vector<std::string>{"C:\\My Files\\a b", "xy z", ""}));
    EXPECT_TRUE(SplitParameters(u"").empty());
}

class ShellOpenProgramTest : public ::testing::Test {
protected:
    TempFolder m_folder;
    std::filesystem::path m_record = m_folder / "record";

    // A program that writes its working folder and arguments, then a last line.
    void WriteRecorder(const std::filesystem::path& file) {
        WriteScript(file, "{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; echo end; } > '" +
                              m_record.string() + "'");
    }
    std::string WaitForRecord() {
        WaitUntil([&] { return ReadText(m_record).ends_with("end\n"); });
        return ReadText(m_record);
    }
};

TEST_F(ShellOpenProgramTest, StartsAProgramWithItsArgumentsInTheGivenFolder) {
    std::filesystem::create_directory(m_folder / "work");
    WriteRecorder(m_folder / "Vigilo.exe");
    EXPECT_GT(ShellOpen(m_folder / "Vigilo.exe", u"In the \"upgrade now\"", m_folder / "work",
                        ShowCommand::Normal),
              32);
    EXPECT_EQ(WaitForRecord(),
              (m_folder / "work").string() + "\n[In]\n[the]\n[upgrade now]\nend\n");
}

TEST_F(ShellOpenProgramTest, ARelativeTargetIsTakenFromTheFolder) {
    WriteRecorder(m_folder / "UPDATE.exe");
    EXPECT_GT(ShellOpen("UPDATE.exe", u"", m_folder.Path(), ShowCommand::Hidden), 32);
    EXPECT_EQ(WaitForRecord(), m_folder.Path().string() + "\nend\n");
}

TEST_F(ShellOpenProgramTest, ReportsWhatCannotBeStarted) {
    EXPECT_EQ(ShellOpen(m_folder / "Vigilo.exe", u"", {}, ShowCommand::Hidden),
              kShellOpenFileNotFound);
    EXPECT_EQ(ShellOpen({}, u"", {}, ShowCommand::Hidden), kShellOpenFileNotFound);
    WriteRecorder(m_folder / "agent");
    EXPECT_EQ(ShellOpen(m_folder / "agent", u"", m_folder / "missing", ShowCommand::Hidden),
              kShellOpenFileNotFound);
}

TEST_F(ShellOpenProgramTest, DocumentsAndAddressesGoToTheDesktopOpener) {
    std::filesystem::create_directory(m_folder / "bin");
    WriteRecorder(m_folder / "bin" / "xdg-open");
    ScopedEnv path("PATH", m_folder / "bin");
    testing::WriteText(m_folder / "index.html", "<html></html>");

    EXPECT_GT(ShellOpen("index.html", u"", m_folder.Path(), ShowCommand::Normal), 32);
    EXPECT_EQ(WaitForRecord(),
              m_folder.Path().string() + "\n[" + (m_folder / "index.html").string() + "]\nend\n");
    std::filesystem::remove(m_record);
    EXPECT_GT(ShellOpen("https://example.invalid/help", u"", {}, ShowCommand::Normal), 32);
    EXPECT_NE(WaitForRecord().find("[https://example.invalid/help]"), std::string::npos);

    ScopedEnv nowhere("PATH", m_folder / "empty");
    EXPECT_EQ(ShellOpen("index.html", u"", m_folder.Path(), ShowCommand::Normal),
              kShellOpenNoAssociation);
}

}  // namespace
}  // namespace tessel
