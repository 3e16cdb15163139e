// Starting the firmware updater: a program is started detached; anything else
// is refused and never handed to the desktop's opener, which would "succeed"
// by merely showing the file.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "PlatformTestSupport.h"
#include "platform/ShellOpen.h"

namespace tessel {
namespace {

using testing::ReadText;
using testing::ScopedEnv;
using testing::TempFolder;
using testing::WaitUntil;
using testing::WriteScript;
using testing::WriteText;

TEST(StartProgramTest, StartsOnlyWhatMayRunAndNeverThroughTheOpener) {
    TempFolder folder;
    const auto opened = folder / "opened";
    std::filesystem::create_directory(folder / "bin");
    WriteScript(folder / "bin" / "xdg-open", "echo \"$1\" > '" + opened.string() + "'");
    ScopedEnv path("PATH", folder / "bin");

    const auto document = folder / "updater.exe";
    WriteText(document, "MZ not for this system");
    EXPECT_FALSE(IsExecutableFile(document));
    EXPECT_EQ(StartProgram(document, ShowCommand::Hidden), kShellOpenAccessDenied);
    EXPECT_FALSE(IsExecutableFile(folder.Path())) << "a folder is no program";
    EXPECT_EQ(StartProgram(folder.Path(), ShowCommand::Hidden), kShellOpenAccessDenied);
    EXPECT_EQ(StartProgram(folder / "missing", ShowCommand::Hidden), kShellOpenFileNotFound);
    EXPECT_EQ(StartProgram({}, ShowCommand::Hidden), kShellOpenFileNotFound);

    const auto marker = folder / "marker";
    const auto updater = folder / "flash tool";
    WriteScript(updater, "echo \"$#\" > '" + marker.string() + "'");
    EXPECT_TRUE(IsExecutableFile(updater));
    EXPECT_TRUE(ShellOpenStarted(StartProgram(updater, ShowCommand::Hidden)));
    EXPECT_TRUE(WaitUntil([&] { return ReadText(marker) == "0\n"; })) << ReadText(marker);
    EXPECT_FALSE(std::filesystem::exists(opened));
}

// With one process left to the user, the detach's second fork fails: nothing
// runs, so the caller must not hear "started".
TEST(StartProgramTest, ADetachStoppedByTheProcessLimitIsNoStart) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to run as a user of its own with a process limit";
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        constexpr uid_t kUserWithNoProcesses = 54321;
        const rlimit two{2, 2};
        if (setgid(kUserWithNoProcesses) != 0 || setuid(kUserWithNoProcesses) != 0 ||
            setrlimit(RLIMIT_NPROC, &two) != 0) {
            _exit(2);
        }
        _exit(ShellOpenStarted(StartProgram("/bin/true", ShowCommand::Hidden)) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: called started, 2: could not become the user";
}

}  // namespace
}  // namespace tessel
