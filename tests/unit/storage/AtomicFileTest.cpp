#include "storage/AtomicFile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "Unprivileged.h"

namespace tessel {
namespace {

using testing::MakeReadOnly;
using testing::ReadBytes;
using testing::RunWithoutPrivileges;
using testing::TempFolder;
using testing::WriteBytes;

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
    MakeReadOnly(folder.Path(), target);

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
