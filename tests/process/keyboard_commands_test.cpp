// The built program from a terminal without a display: the hand-off to the
// running instance, and the keyboard commands against the simulated keyboard,
// with and without an instance running.

#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <fstream>
#include <thread>

#include "ProgramFixture.h"
#include "model/ProfileImage.h"
#include "storage/ConfigFile.h"

namespace tessel::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kBound = 20s;

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t Word(const std::vector<uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class HeadlessTest : public ProgramFixture {
protected:
    // One memory area of the simulated keyboard's state file: "TVXS", version,
    // area count, then per area its number, its size and its bytes.
    std::vector<uint8_t> SimArea(int area) {
        const auto state = ReadBytes(m_root / "keyboard.state");
        std::size_t at = 8;
        while (at + 5 <= state.size()) {
            const uint32_t size = Word(state, at + 1);
            if (state[at] == area && at + 5 + size <= state.size()) {
                return {state.begin() + static_cast<std::ptrdiff_t>(at + 5),
                        state.begin() + static_cast<std::ptrdiff_t>(at + 5 + size)};
            }
            at += 5 + size;
        }
        return {};
    }
    std::vector<uint8_t> KeyBlocks() { return SimArea(2); }
    std::vector<uint8_t> MacroArea() { return SimArea(3); }
    int ActiveProfile() {
        const auto info = SimArea(0);
        return info.size() > 10 ? info[10] : -1;
    }

    // Every profile differs, with `macros` macros.
    std::filesystem::path Configuration(const std::string& name, int variant, int macros) {
        auto image = DefaultImage();
        EntryFor(*image, 0, 0x1E)->type = static_cast<uint16_t>(AssignmentType::Key);
        EntryFor(*image, 0, 0x1E)->value = 0x2A + static_cast<uint32_t>(variant);
        EntryFor(*image, 1, 0x10)->type = static_cast<uint16_t>(AssignmentType::Disabled);
        EntryFor(*image, 2, 0x2C + variant)->type =
            static_cast<uint16_t>(AssignmentType::PlayMacro);
        EntryFor(*image, 2, 0x2C + variant)->value = 1;
        EntryFor(*image, 3, 0x1E)->type = static_cast<uint16_t>(AssignmentType::StopMacro);
        std::vector<MacroRecord> list(static_cast<std::size_t>(macros));
        for (int i = 0; i < macros; ++i) {
            MacroRecord& macro = list[static_cast<std::size_t>(i)];
            macro.SetName(u"Macro " + std::u16string(1, static_cast<char16_t>(u'A' + i)));
            macro.identifier = static_cast<uint16_t>(i + 1);
            macro.actionCount = 2;
            macro.actions[0] = {25, static_cast<uint16_t>(0x10 + i + variant), kKeyDown};
            macro.actions[1] = {10, static_cast<uint16_t>(0x10 + i + variant), kKeyUp};
        }
        const auto path = m_root / name;
        const auto bytes = EncodeConfigFile(*image, list, {});
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    pid_t StartInstance() {
        const bool headless = m_withoutDisplay;
        m_withoutDisplay = false;
        const pid_t instance = Start({"/Start"});
        m_withoutDisplay = headless;
        EXPECT_TRUE(WaitUntilAnswering(instance));
        return instance;
    }
    void SetUp() override {
        ProgramFixture::SetUp();
        m_withoutDisplay = true;
    }
};

TEST_F(HeadlessTest, KillAndASecondStartReachTheInstanceWithoutADisplay) {
    const pid_t first = StartInstance();
    std::string errors;
    EXPECT_EQ(Run({}, &errors), 0);
    EXPECT_NE(errors.find("to open its window"), std::string::npos) << errors;
    EXPECT_TRUE(IsRunning(first));

    EXPECT_EQ(Run({"/kill"}, &errors), 0);
    EXPECT_NE(errors.find("to exit"), std::string::npos) << errors;
    EXPECT_EQ(WaitForExit(first, kBound), 0);
    EXPECT_EQ(AgentStarts(), 1);
}

TEST_F(HeadlessTest, WithoutADisplayOrAnInstanceTheProgramSaysWhyAndStartsNothing) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, std::vector<std::string>{"/Kill"}}) {
        std::string errors;
        EXPECT_EQ(Run(arguments, &errors), 1);
        EXPECT_EQ(Lines(errors), 1) << errors;
        EXPECT_NE(errors.find("no display"), std::string::npos) << errors;
    }
    EXPECT_EQ(AgentStarts(), 0);
    // The lock was let go: an instance with a display starts as the first one.
    const pid_t instance = StartInstance();
    EXPECT_TRUE(WaitForAgentStarts(1));
    EXPECT_TRUE(IsRunning(instance));
}

TEST_F(HeadlessTest, BackupThenRestoreRoundTripsEveryProfileAndTheMacroArea) {
    ASSERT_EQ(Run({"--restore", Configuration("first.fwc", 0, 3).string()}), 0);
    const auto blocks = KeyBlocks();
    const auto macros = MacroArea();
    ASSERT_EQ(blocks.size(), 4u * 192);
    ASSERT_FALSE(macros.empty());

    const auto backup = m_root / "backup.fwc";
    std::string errors;
    ASSERT_EQ(Run({"--backup=" + backup.string()}, &errors), 0) << errors;
    EXPECT_TRUE(errors.empty()) << errors;
    ASSERT_EQ(Run({"--restore", Configuration("other.fwc", 1, 1).string()}), 0);
    ASSERT_NE(KeyBlocks(), blocks);
    ASSERT_NE(MacroArea(), macros);

    // Relative to the working folder.
    ASSERT_EQ(Run({"--restore", "backup.fwc"}, &errors), 0) << errors;
    EXPECT_EQ(KeyBlocks(), blocks);
    EXPECT_EQ(MacroArea(), macros);

    // The same through a running instance, which the keyboard's new content follows.
    const pid_t instance = StartInstance();
    const auto again = m_root / "again.fwc";
    ASSERT_EQ(Run({"--backup", again.string()}, &errors), 0) << errors;
    EXPECT_EQ(ReadBytes(again), ReadBytes(backup));
    ASSERT_EQ(Run({"--restore", Configuration("other.fwc", 1, 1).string()}, &errors), 0) << errors;
    ASSERT_EQ(Run({"--restore", again.string()}, &errors), 0) << errors;
    EXPECT_EQ(KeyBlocks(), blocks);
    EXPECT_EQ(MacroArea(), macros);
    EXPECT_TRUE(IsRunning(instance));
}

TEST_F(HeadlessTest, ATruncatedRestoreFailsClearlyAndSendsNothing) {
    ASSERT_EQ(Run({"--restore", Configuration("first.fwc", 0, 2).string()}), 0);
    auto bytes = ReadBytes(m_root / "first.fwc");
    bytes.resize(bytes.size() - 500);
    std::ofstream(m_root / "cut.fwc", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    const auto blocks = KeyBlocks();
    const auto macros = MacroArea();

    for (bool withInstance : {false, true}) {
        const pid_t instance = withInstance ? StartInstance() : 0;
        std::string errors;
        EXPECT_EQ(Run({"--restore", (m_root / "cut.fwc").string()}, &errors), 1);
        EXPECT_EQ(Lines(errors), 1) << errors;
        EXPECT_NE(errors.find("cannot restore"), std::string::npos) << errors;
        EXPECT_NE(errors.find("cut short"), std::string::npos) << errors;
        if (instance) {
            kill(instance, SIGTERM);
            EXPECT_EQ(WaitForExit(instance, kBound), 0);
        }
    }
    EXPECT_EQ(KeyBlocks(), blocks);
    EXPECT_EQ(MacroArea(), macros);
}

TEST_F(HeadlessTest, ABackupOntoADeviceAFifoOrAFolderIsRefusedAndSaysWhy) {
    // As root a fault would replace the machine's own /dev/full: a node of
    // the same device stands in for it then.
    std::filesystem::path full = "/dev/full";
    if (::geteuid() == 0) {
        full = m_root / "full";
        ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, ::makedev(1, 7)), 0);
    }
    ASSERT_EQ(::mkfifo((m_root / "fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(m_root / "folder");
    const auto stillTheSame = [&] {
        struct stat device {};
        return ::stat(full.c_str(), &device) == 0 && S_ISCHR(device.st_mode) &&
               std::filesystem::is_fifo(m_root / "fifo") &&
               std::filesystem::is_empty(m_root / "folder");
    };
    const auto refused = [&](const std::filesystem::path& target) {
        std::string errors;
        EXPECT_EQ(Run({"--backup", target.string()}, &errors), 1) << target;
        EXPECT_EQ(Lines(errors), 1) << errors;
        EXPECT_NE(errors.find("\"" + target.string() + "\": is not a regular file"),
                  std::string::npos)
            << errors;
    };
    for (const auto& target : {full, m_root / "fifo", m_root / "folder"}) {
        refused(target);
    }
    EXPECT_TRUE(stillTheSame());

    const pid_t instance = StartInstance();
    refused(full);
    EXPECT_TRUE(IsRunning(instance));
    EXPECT_TRUE(stillTheSame());
}

TEST_F(HeadlessTest, ProfileThreeWithAndWithoutARunningInstance) {
    std::string errors;
    ASSERT_EQ(Run({"--profile", "3"}, &errors), 0) << errors;
    EXPECT_EQ(ActiveProfile(), 2);
    ASSERT_EQ(Run({"--profile", "1"}, &errors), 0) << errors;
    EXPECT_EQ(ActiveProfile(), 0);

    const pid_t instance = StartInstance();
    ASSERT_EQ(Run({"--profile=3"}, &errors), 0) << errors;
    EXPECT_EQ(ActiveProfile(), 2);
    EXPECT_TRUE(IsRunning(instance));
}

TEST_F(HeadlessTest, EveryCommandSaysWhenNoKeyboardIsAttached) {
    const auto file = Configuration("first.fwc", 0, 1);
    m_environment["TORVEX_BACKEND"] = "hid";
    for (const std::vector<std::string>& command : {std::vector<std::string>{"--profile", "3"},
                                                    {"--backup", (m_root / "b.fwc").string()},
                                                    {"--restore", file.string()}}) {
        std::string errors;
        EXPECT_EQ(Run(command, &errors), 1) << command[0];
        EXPECT_EQ(Lines(errors), 1) << errors;
        EXPECT_NE(errors.find("no keyboard is attached"), std::string::npos) << errors;
    }
    EXPECT_FALSE(std::filesystem::exists(m_root / "b.fwc"));
}

TEST_F(HeadlessTest, HelpVersionAndMistypedCommands) {
    std::string errors;
    EXPECT_EQ(Run({"--help"}, &errors), 0);
    EXPECT_EQ(Run({"--version"}, &errors), 0);
    EXPECT_TRUE(errors.empty()) << errors;
    const std::vector<std::vector<std::string>> wrong{
        {"--profile", "5"}, {"--profile"}, {"--backup"}, {"--backup", "a", "--profile", "2"}};
    for (const auto& command : wrong) {
        EXPECT_EQ(Run(command, &errors), 2) << command[0];
        EXPECT_EQ(Lines(errors), 1) << errors;
    }
}

// Without an instance, each command takes the keyboard in turn: two backups
// at once, or a backup and a window start, never talk to it together.
TEST_F(HeadlessTest, CommandsStartedTogetherTakeTheKeyboardInTurn) {
    ASSERT_EQ(Run({"--restore", Configuration("first.fwc", 0, 3).string()}), 0);
    const pid_t one = Start({"--backup", (m_root / "one.fwc").string()});
    const pid_t two = Start({"--backup", (m_root / "two.fwc").string()});
    EXPECT_EQ(WaitForExit(one, kBound), 0) << ErrorOutput(one);
    EXPECT_EQ(WaitForExit(two, kBound), 0) << ErrorOutput(two);
    const auto backup = ReadBytes(m_root / "one.fwc");
    EXPECT_FALSE(backup.empty());
    EXPECT_EQ(ReadBytes(m_root / "two.fwc"), backup);

    m_withoutDisplay = false;
    const pid_t window = Start({"/Start"});
    m_withoutDisplay = true;
    const pid_t three = Start({"--backup", (m_root / "three.fwc").string()});
    EXPECT_EQ(WaitForExit(three, kBound), 0) << ErrorOutput(three);
    EXPECT_EQ(ReadBytes(m_root / "three.fwc"), backup);
    EXPECT_TRUE(WaitUntilAnswering(window));
    EXPECT_EQ(Endpoints(), std::vector<pid_t>{window});
}

// A stopped instance: the command says within seconds that nothing was done,
// and after SIGCONT nothing is done either.
TEST_F(HeadlessTest, ACommandTheStoppedInstanceDidNotTakeIsNeverCarriedOut) {
    const pid_t instance = StartInstance();
    ASSERT_EQ(kill(instance, SIGSTOP), 0);
    const auto file = m_root / "late.fwc";
    std::string errors;
    EXPECT_EQ(Run({"--backup", file.string()}, &errors), 1);
    EXPECT_EQ(Lines(errors), 1) << errors;
    EXPECT_NE(errors.find("did not answer; nothing was done"), std::string::npos) << errors;
    ASSERT_EQ(kill(instance, SIGCONT), 0);
    // Taken in order: once this is answered, the backup was dropped or done.
    EXPECT_TRUE(WaitUntilAnswering(instance));
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace tessel::testing
