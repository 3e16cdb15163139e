// Files as the Windows program and Windows editors leave them: any line end,
// legacy code pages, keys named "".

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "TextTestFiles.h"
#include "platform/PrivateProfile.h"
#include "platform/posix/PrivateProfileCache.h"

namespace tessel {
namespace {

using test::ReadBytes;
using test::ScratchFolder;
using test::Utf16LeFile;
using test::WriteBytes;

std::u16string Read(const std::filesystem::path& file, std::u16string_view section,
                    std::u16string_view key, std::size_t buffer = 260) {
    return GetPrivateProfileString(section, key, u"<none>", buffer, file);
}

// Every test starts without a language, as the program does.
class WindowsFiles : public ::testing::Test {
protected:
    WindowsFiles() { SetPrivateProfileLanguage(0); }
    ~WindowsFiles() override { SetPrivateProfileLanguage(0); }
    ScratchFolder folder_;
};

TEST_F(WindowsFiles, CrOrLfOrBothEndALine) {
    for (const std::string end : {"\r", "\n", "\r\n"}) {
        const auto file = folder_ / "ends.ini";
        WriteBytes(file, "; generated" + end + "[Skin]" + end + "  Caption = \"Hello \"" + end +
                             "CONTROL_OK=10,20,30,40" + end + end + "[Other]" + end + "x=y");
        SCOPED_TRACE(end == "\r" ? "CR" : end == "\n" ? "LF" : "CRLF");
        EXPECT_EQ(Read(file, u"skin", u"caption"), u"Hello ");
        EXPECT_EQ(Read(file, u"SKIN", u"control_ok"), u"10,20,30,40");
        EXPECT_EQ(Read(file, u"Skin", u"CONTROL_OK", 6), u"10,20");
        EXPECT_EQ(Read(file, u"other", u"X"), u"y");
        EXPECT_EQ(Read(file, u"skin", u"x"), u"<none>");

        // Added lines take the file's own line end.
        ASSERT_TRUE(WritePrivateProfileString(u"Other", u"z", u"1", file));
        EXPECT_TRUE(ReadBytes(file).ends_with("x=y" + end + "z=1" + end));
    }
}

TEST_F(WindowsFiles, NewFilesGetCrLf) {
    const auto file = folder_ / "new.ini";
    ASSERT_TRUE(WritePrivateProfileString(u"App", u"key", u"value", file));
    EXPECT_EQ(ReadBytes(file), "[App]\r\nkey=value\r\n");

    const auto lf = folder_ / "lf.ini";
    WriteBytes(lf, "[App]\nkey=value\n");
    ASSERT_TRUE(WritePrivateProfileString(u"App", u"key", u"other", lf));
    ASSERT_TRUE(WritePrivateProfileString(u"More", u"k", u"v", lf));
    EXPECT_EQ(ReadBytes(lf), "[App]\nkey=other\n[More]\nk=v\n");
}

TEST_F(WindowsFiles, AnEmptyKeyNameIsAKey) {
    const auto file = folder_ / "a.ini";
    WriteBytes(file, "[s]\r\n=v\r\n  = later\r\nk=w\r\n[t]\r\n=\r\n");
    EXPECT_EQ(Read(file, u"s", u""), u"v");
    EXPECT_EQ(Read(file, u"s", u"k"), u"w");
    EXPECT_EQ(Read(file, u"t", u""), u"");
    EXPECT_EQ(Read(file, u"u", u""), u"<none>");
}

TEST_F(WindowsFiles, FilesWithoutBomThatAreNotUtf8UseTheLanguagesCodePage) {
    struct Case {
        const char* what;
        std::uint16_t language;
        std::string value;
        std::u16string text;
    };
    const Case cases[] = {
        {"no language yet: 1252", 0, "Caf\xE9", u"Caf\u00E9"},
        {"French: 1252", 0x040C, "Cr\xE8me \x80", u"Cr\u00E8me \u20AC"},
        {"Simplified Chinese: 936", 0x0804, "\xD6\xD0\xCE\xC4", u"\u4E2D\u6587"},
        {"Traditional Chinese: 950", 0x0404, "\xA4\xA4\xA4\xE5", u"\u4E2D\u6587"},
        {"Korean: 949", 0x0412, "\xC7\xD1\xB1\xB9", u"\uD55C\uAD6D"},
        {"valid UTF-8 stays UTF-8", 0x0804, "\xE4\xB8\xAD\xE6\x96\x87", u"\u4E2D\u6587"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetPrivateProfileLanguage(c.language);
        const auto file = folder_ / "legacy.ini";
        WriteBytes(file, "[TEXT]\r\nname=" + c.value + "\r\n");
        EXPECT_EQ(Read(file, u"TEXT", u"name"), c.text);
    }
}

TEST_F(WindowsFiles, ALegacyFileIsWrittenBackInItsCodePageUntilAValueDoesNotFit) {
    const auto file = folder_ / "UserDengColor_0.userd";
    WriteBytes(file, "[MODENAME]\r\n0=Caf\xE9\r\n");
    ASSERT_TRUE(WritePrivateProfileString(u"MODENAME", u"1", u"Cr\u00E8me", file));
    EXPECT_EQ(ReadBytes(file), "[MODENAME]\r\n0=Caf\xE9\r\n1=Cr\xE8me\r\n");

    ASSERT_TRUE(WritePrivateProfileString(u"MODENAME", u"2", u"\u4E2D\u6587", file));
    EXPECT_EQ(ReadBytes(file),
              Utf16LeFile(u"[MODENAME]\r\n0=Caf\u00E9\r\n1=Cr\u00E8me\r\n2=\u4E2D\u6587\r\n"));
    EXPECT_EQ(Read(file, u"MODENAME", u"0"), u"Caf\u00E9");
    EXPECT_EQ(Read(file, u"MODENAME", u"2"), u"\u4E2D\u6587");

    // Bytes that would read back as UTF-8 ("Ã©" is C3 A9 in 1252) are not left so.
    const auto other = folder_ / "other.ini";
    WriteBytes(other, "[s]\r\nk=\xE9\r\n");
    ASSERT_TRUE(WritePrivateProfileString(u"s", u"k", u"\u00C3\u00A9", other));
    EXPECT_EQ(Read(other, u"s", u"k"), u"\u00C3\u00A9");
}

TEST_F(WindowsFiles, AGbkFileGetsTheRightTextOnlyWithChinese) {
    const auto file = folder_ / "Lang0804.ini";
    WriteBytes(file, "[TEXT]\r\nIDS_MAIN_OK=\xC8\xB7\xB6\xA8\r\n");
    EXPECT_NE(Read(file, u"TEXT", u"IDS_MAIN_OK"), u"\u786E\u5B9A");
    SetPrivateProfileLanguage(0x0804);
    EXPECT_EQ(Read(file, u"TEXT", u"IDS_MAIN_OK"), u"\u786E\u5B9A")
        << "read again in the new code page";
    ASSERT_TRUE(WritePrivateProfileString(u"TEXT", u"IDS_MAIN_Cancel", u"\u53D6\u6D88", file));
    EXPECT_EQ(ReadBytes(file),
              "[TEXT]\r\nIDS_MAIN_OK=\xC8\xB7\xB6\xA8\r\nIDS_MAIN_Cancel=\xC8\xA1\xCF\xFB\r\n");
}

void SetModified(int fd, timespec when) {
    const timespec times[2] = {{0, UTIME_OMIT}, when};
    ASSERT_EQ(::futimens(fd, times), 0);
}

// Another program rewrites the file in place, same size, within the same
// second of the time the file had when it was read.
TEST_F(WindowsFiles, AChangeByAnotherProcessWithinTheSameSecondIsSeen) {
    const auto file = folder_ / "a.ini";
    WriteBytes(file, "[s]\r\nk=one\r\n");
    const auto old = std::chrono::system_clock::now() - std::chrono::hours(1);
    const timespec then{std::chrono::system_clock::to_time_t(old), 500000000};
    {
        const int fd = ::open(file.c_str(), O_RDWR);
        ASSERT_GE(fd, 0);
        SetModified(fd, then);
        ::close(fd);
    }
    PrivateProfileCache& cache = PrivateProfileCache::Instance();
    const std::uint64_t parses = cache.ParseCount();
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(Read(file, u"s", u"k"), u"one");
    }
    EXPECT_EQ(cache.ParseCount(), parses + 1) << "one parse for many lookups";

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int fd = ::open(file.c_str(), O_WRONLY);
        const bool ok = fd >= 0 && ::pwrite(fd, "two", 3, 7) == 3;
        const timespec times[2] = {{0, UTIME_OMIT}, {then.tv_sec, then.tv_nsec + 1}};
        ::_exit(ok && ::futimens(fd, times) == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_EQ(Read(file, u"s", u"k"), u"two");
    EXPECT_EQ(Read(file, u"s", u"k"), u"two");
    EXPECT_EQ(cache.ParseCount(), parses + 2);
}

}  // namespace
}  // namespace tessel
