#include "platform/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>

#include "TempFolder.h"
#include "Unprivileged.h"

namespace tessel {
namespace {

using testing::MakeReadOnly;
using testing::ReadBytes;
using testing::RunWithoutPrivileges;
using testing::TempFolder;
using testing::WriteBytes;

const std::vector<uint8_t> kOld(64, 0x55);
const std::vector<uint8_t> kNew{1, 2, 3};

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode;
}

mode_t DefaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::size_t Entries(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

struct WrittenCase {
    const char* name;
    // Prepares the folder; returns the path handed to the write.
    std::function<std::filesystem::path(const std::filesystem::path&)> prepare;
    const char* fileReplaced;  // the file that must hold the new bytes
    mode_t expectedMode;       // 0: the umask's default
    std::size_t entries;       // in the folder afterwards: no temporary is left behind
};

TEST(AtomicFile, ReplacesTheFileALinkNamesAndKeepsItsMode) {
    const WrittenCase cases[] = {
        {"new file", [](const std::filesystem::path& folder) { return folder / "scene"; }, "scene",
         0, 1},
        {"regular file",
         [](const std::filesystem::path& folder) {
             WriteBytes(folder / "scene", kOld);
             ::chmod((folder / "scene").c_str(), 0640);
             return folder / "scene";
         },
         "scene", 0640, 1},
        {"link to a file",
         [](const std::filesystem::path& folder) {
             std::filesystem::create_directory(folder / "real");
             WriteBytes(folder / "real/scene", kOld);
             ::chmod((folder / "real/scene").c_str(), 0604);
             std::filesystem::create_symlink("real/scene", folder / "link");
             return folder / "link";
         },
         "real/scene", 0604, 2},
        {"link to a link to a missing file",
         [](const std::filesystem::path& folder) {
             std::filesystem::create_symlink(folder / "scene", folder / "first");
             std::filesystem::create_symlink("first", folder / "link");
             return folder / "link";
         },
         "scene", 0, 3},
    };
    for (const WrittenCase& each : cases) {
        SCOPED_TRACE(each.name);
        TempFolder folder;
        const std::filesystem::path path = each.prepare(folder.Path());
        const bool wasLink = std::filesystem::is_symlink(path);

        const FileWriteResult written = WriteFileAtomically(path, kNew);
        ASSERT_TRUE(written) << written.Reason();

        EXPECT_TRUE(written.Reason().empty());
        const auto replaced = folder / each.fileReplaced;
        EXPECT_EQ(ReadBytes(replaced), kNew);
        EXPECT_TRUE(S_ISREG(ModeOf(replaced)));
        EXPECT_EQ(ModeOf(replaced) & 07777,
                  each.expectedMode ? each.expectedMode : DefaultFileMode());
        EXPECT_EQ(std::filesystem::is_symlink(path), wasLink);
        EXPECT_EQ(Entries(folder.Path()), each.entries);
    }
}

struct RefusedCase {
    const char* name;
    // Makes the node in the target's place; false when this system does not allow it.
    std::function<bool(const std::filesystem::path&)> make;
};

TEST(AtomicFile, RefusesATargetThatIsNoRegularFileAndLeavesItAlone) {
    const RefusedCase cases[] = {
        {"FIFO",
         [](const std::filesystem::path& target) { return ::mkfifo(target.c_str(), 0600) == 0; }},
        {"folder",
         [](const std::filesystem::path& target) {
             std::filesystem::create_directories(target / "inner");
             return true;
         }},
        {"character device like /dev/full",
         [](const std::filesystem::path& target) {
             return ::mknod(target.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) == 0;
         }},
    };
    for (const RefusedCase& each : cases) {
        SCOPED_TRACE(each.name);
        TempFolder folder;
        const auto target = folder / "node";
        if (!each.make(target)) {
            std::printf("[  SKIPPED ] %s: cannot be made here (%s)\n", each.name,
                        std::strerror(errno));
            continue;
        }
        const mode_t before = ModeOf(target);
        std::filesystem::create_symlink("node", folder / "link");

        for (const auto& path : {target, folder / "link"}) {
            const FileWriteResult written = WriteFileAtomically(path, kNew);
            EXPECT_FALSE(written) << path;
            EXPECT_EQ(written.Reason(), "is not a regular file");
        }
        EXPECT_EQ(ModeOf(target), before);
        EXPECT_TRUE(std::filesystem::is_symlink(folder / "link"));
        EXPECT_EQ(Entries(folder.Path()), 2u);
    }
}

TEST(AtomicFile, FailureSaysWhyAndKeepsTheOldFile) {
    TempFolder folder;
    const auto target = folder / "scene";
    WriteBytes(target, kOld);

    // A full disk, as far as this process is concerned.
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit small{16, previous.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const FileWriteResult tooLarge = WriteFileAtomically(target, std::vector<uint8_t>(64, 0xAA));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(tooLarge);
    EXPECT_EQ(tooLarge.Reason(), "file too large");
    EXPECT_EQ(ReadBytes(target), kOld);
    EXPECT_EQ(Entries(folder.Path()), 1u);

    const FileWriteResult noFolder = WriteFileAtomically(folder / "absent/scene", kNew);
    EXPECT_EQ(noFolder.Reason(), "no such file or directory");
    EXPECT_EQ(WriteFileAtomically(folder.Path() / "", kNew).Reason(), "has no file name");

    MakeReadOnly(folder.Path(), target);
    // Root writes anywhere: the attempt runs as "nobody" then.
    EXPECT_TRUE(RunWithoutPrivileges([&] {
        const FileWriteResult written = WriteFileAtomically(target, kNew);
        return !written && written.Reason() == "permission denied";
    }));
    EXPECT_EQ(ReadBytes(target), kOld);
}

}  // namespace
}  // namespace tessel
