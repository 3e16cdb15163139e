#include "storage/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "TempFolder.h"

namespace tessel {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Root ignores folder permissions, so as root the attempt runs in a child that
// has dropped to an unprivileged user.
bool RunWithoutPrivileges(const std::function<bool()>& attempt) {
    if (geteuid() != 0) {
        return attempt();
    }
    const pid_t child = fork();
    if (child == 0) {
        const uid_t nobody = 65534;
        if (setgid(nobody) != 0 || setuid(nobody) != 0) {
            _exit(2);
        }
        _exit(attempt() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 2) << "could not drop privileges";
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

TEST(AtomicFile, ReplacesTheFileAndLeavesNoTemporaryBehind) {
    TempFolder folder;
    const auto target = folder / "scene";
    WriteBytes(target, std::vector<uint8_t>(100, 0xAA));

    const std::vector<uint8_t> bytes{1, 2, 3};
    ASSERT_TRUE(WriteFileAtomically(target, bytes));

    EXPECT_EQ(ReadBytes(target), bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(AtomicFile, FailureInAReadOnlyFolderKeepsTheOldFile) {
    TempFolder folder;
    const auto target = folder / "scene";
    const std::vector<uint8_t> old(64, 0x55);
    WriteBytes(target, old);
    using std::filesystem::perms;
    std::filesystem::permissions(target, perms::owner_read | perms::others_read);
    std::filesystem::permissions(folder.Path(), perms::owner_read | perms::owner_exec |
                                                    perms::others_read | perms::others_exec);

    EXPECT_FALSE(RunWithoutPrivileges([&] {
        return WriteFileAtomically(target, std::vector<uint8_t>{9, 9});
    }));
    EXPECT_EQ(ReadBytes(target), old);
}

TEST(AtomicFile, MissingFolderOrDirectoryTargetFails) {
    TempFolder folder;
    EXPECT_FALSE(WriteFileAtomically(folder / "absent/scene", std::vector<uint8_t>{1}));
    std::filesystem::create_directory(folder / "dir");
    std::filesystem::create_directory(folder / "dir/inner");
    EXPECT_FALSE(WriteFileAtomically(folder / "dir", std::vector<uint8_t>{1}));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "dir/inner"));
}

}  // namespace
}  // namespace tessel
