// Files that are no regular files or larger than any real one: the readers
// neither block nor read without end, say which file and why, and the writers
// leave them alone instead of putting a file of their own in their place.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "PlatformTestSupport.h"
#include "platform/PrivateProfile.h"
#include "platform/Registry.h"
#include "platform/RegularFile.h"

namespace tessel {
namespace {

using testing::TempFolder;

struct Unreadable {
    const char* what;
    std::string reason;
    const char* name;  // for the file
};

// Puts something unreadable of the given kind at `file`.
void Place(const std::string& kind, const std::filesystem::path& file) {
    if (kind == "link to /dev/zero") {
        std::filesystem::create_symlink("/dev/zero", file);
    } else if (kind == "FIFO") {
        ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    } else if (kind == "folder") {
        std::filesystem::create_directory(file);
    } else {  // too large: a sparse file just over the INI limit
        std::ofstream(file) << "[s]\nk=v\n";
        std::filesystem::resize_file(file, kLargestIniFile + 1);
    }
}

const Unreadable kKinds[] = {
    {"link to /dev/zero", "not a regular file", "zero"},
    {"FIFO", "not a regular file", "fifo"},
    {"folder", "is a folder", "folder"},
    {"too large", "larger than " + std::to_string(kLargestIniFile) + " bytes", "large"},
};

TEST(UnreadableFilesTest, ReadingGivesTheReasonAndAMissingFileIsOnlyMissing) {
    TempFolder folder;
    for (const Unreadable& kind : kKinds) {
        SCOPED_TRACE(kind.what);
        const auto file = folder / (std::string("file-") + kind.name);
        Place(kind.what, file);
        const RegularFileRead read = ReadRegularFile(file, kLargestIniFile);
        EXPECT_FALSE(read.ok);
        EXPECT_FALSE(read.missing);
        EXPECT_EQ(read.error, kind.reason);
        EXPECT_TRUE(read.bytes.empty());
    }
    const RegularFileRead missing = ReadRegularFile(folder / "none", kLargestIniFile);
    EXPECT_TRUE(missing.missing);
    EXPECT_EQ(missing.error, "no such file or directory");
}

TEST(UnreadableFilesTest, IniAndSettingsFilesReadAsAbsentAreNamedOnceAndAreNotReplaced) {
    TempFolder folder;
    for (const Unreadable& kind : kKinds) {
        SCOPED_TRACE(kind.what);
        const auto ini = folder / (std::string("skin-") + kind.name + ".ini");
        const auto settings = folder / (std::string("settings-") + kind.name + ".reg");
        Place(kind.what, ini);
        Place(kind.what, settings);

        ::testing::internal::CaptureStderr();
        EXPECT_EQ(GetPrivateProfileString(u"s", u"k", u"default", 260, ini), u"default");
        EXPECT_EQ(GetPrivateProfileString(u"s", u"k", u"default", 260, ini), u"default");
        EXPECT_FALSE(WritePrivateProfileString(u"s", u"k", u"new", ini));
        Registry registry(settings);
        EXPECT_FALSE(registry.ReadDword(u"Software\\A", u"v"));
        EXPECT_FALSE(registry.WriteDword(u"Software\\A", u"v", 1));
        const std::string told = ::testing::internal::GetCapturedStderr();

        const std::string iniLine = "tessel: cannot read " + ini.string() + ": " + kind.reason;
        EXPECT_NE(told.find(iniLine), std::string::npos) << told;
        EXPECT_EQ(told.find(iniLine), told.rfind(iniLine)) << "told more than once: " << told;
        EXPECT_NE(told.find("cannot read " + settings.string() + ": " + kind.reason),
                  std::string::npos)
            << told;
        const auto type = std::filesystem::symlink_status(ini).type();
        EXPECT_NE(type, std::filesystem::file_type::not_found);
        EXPECT_EQ(type, std::filesystem::symlink_status(settings).type());
        if (std::string(kind.what) != "too large") {
            EXPECT_FALSE(std::filesystem::is_regular_file(std::filesystem::symlink_status(ini)));
        }
    }
}

}  // namespace
}  // namespace tessel
