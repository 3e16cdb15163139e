#include "platform/PrivateProfile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "TextTestFiles.h"

namespace tessel {
namespace {

using test::ReadBytes;
using test::ScratchFolder;
using test::Utf16LeFile;
using test::WriteBytes;

std::u16string Read(const std::filesystem::path& file, std::u16string_view section,
                    std::u16string_view key, std::u16string_view fallback = u"<none>",
                    std::size_t buffer = 260) {
    return GetPrivateProfileString(section, key, fallback, buffer, file);
}

TEST(PrivateProfileRead, NamesIgnoreCaseAndTheFirstMatchWins) {
    ScratchFolder folder;
    const auto file = folder / "a.ini";
    WriteBytes(file,
               "; comment=no\n"
               "[Text]\n"
               "  Greeting = Hello  \n"
               "GREETING=second\n"
               "[other]\n"
               "greeting=elsewhere\n"
               "[TEXT]\n"
               "late=ignored, the section repeats\n");
    EXPECT_EQ(Read(file, u"TEXT", u"greeting"), u"Hello");
    EXPECT_EQ(Read(file, u"Other", u"GREETING"), u"elsewhere");
    EXPECT_EQ(Read(file, u"text", u"late"), u"<none>");
    EXPECT_EQ(Read(file, u"text", u"; comment"), u"<none>");
}

TEST(PrivateProfileRead, EmptyValueIsNotAbsent) {
    ScratchFolder folder;
    const auto file = folder / "a.ini";
    WriteBytes(file, "[s]\nempty=\nblank=   \nquoted=\"  padded \"\nsingle='x'\nhalf=\"x\n");
    EXPECT_EQ(Read(file, u"s", u"empty"), u"");
    EXPECT_EQ(Read(file, u"s", u"blank"), u"");
    EXPECT_EQ(Read(file, u"s", u"missing"), u"<none>");
    EXPECT_EQ(Read(file, u"s", u"quoted"), u"  padded ");
    EXPECT_EQ(Read(file, u"s", u"single"), u"x");
    EXPECT_EQ(Read(file, u"s", u"half"), u"\"x");
}

TEST(PrivateProfileRead, DefaultLosesTrailingBlanksAndMissingFileGivesIt) {
    ScratchFolder folder;
    EXPECT_EQ(Read(folder / "none.ini", u"s", u"k", u" "), u"");
    EXPECT_EQ(Read(folder / "none.ini", u"s", u"k", u"1,1,1,1,x"), u"1,1,1,1,x");
    EXPECT_EQ(Read(folder.Path(), u"s", u"k", u"dir "), u"dir");
}

TEST(PrivateProfileRead, ValuesAreCutToTheBuffer) {
    ScratchFolder folder;
    const auto file = folder / "a.ini";
    // U+1F600 as UTF-8: a surrogate pair in UTF-16.
    WriteBytes(file, "[s]\nk=abcdef\nface=ab\xF0\x9F\x98\x80\n");
    EXPECT_EQ(Read(file, u"s", u"k", u"", 4), u"abc");
    EXPECT_EQ(Read(file, u"s", u"k", u"", 7), u"abcdef");
    EXPECT_EQ(Read(file, u"s", u"k", u"", 0), u"");
    EXPECT_EQ(Read(file, u"s", u"k", u"", 1), u"");
    EXPECT_EQ(Read(file, u"s", u"missing", u"default", 4), u"def");
    EXPECT_EQ(Read(file, u"s", u"face", u"", 5), u"ab\U0001F600");
    EXPECT_EQ(Read(file, u"s", u"face", u"", 4), u"ab") << "half a pair is dropped";
}

TEST(PrivateProfileRead, Encodings) {
    ScratchFolder folder;
    WriteBytes(folder / "bom.ini", "\xEF\xBB\xBF[TEXT]\r\nk=\xE4\xBD\xA0\xE5\xA5\xBD\r\n");
    WriteBytes(folder / "plain.ini", "[TEXT]\nk=\xE4\xBD\xA0\xE5\xA5\xBD\n");
    WriteBytes(folder / "wide.ini", Utf16LeFile(u"[TEXT]\r\nk=\u4F60\u597D\r\n"));
    WriteBytes(folder / "bad.ini",
               "[TEXT]\nk=a\xFF"
               "b\nnext=ok");
    for (const char* name : {"bom.ini", "plain.ini", "wide.ini"}) {
        EXPECT_EQ(Read(folder / name, u"text", u"K"), u"\u4F60\u597D") << name;
    }
    // Not UTF-8, so the legacy code page (1252 without a language) applies.
    EXPECT_EQ(Read(folder / "bad.ini", u"TEXT", u"k"), u"a\u00FFb");
    EXPECT_EQ(Read(folder / "bad.ini", u"TEXT", u"next"), u"ok");
}

TEST(PrivateProfileWrite, CreatesFileSectionAndKey) {
    ScratchFolder folder;
    const auto file = folder / "new.ini";
    ASSERT_TRUE(WritePrivateProfileString(u"LANGUAGE", u"language", u"1", file));
    EXPECT_EQ(ReadBytes(file), "[LANGUAGE]\r\nlanguage=1\r\n");
    ASSERT_TRUE(WritePrivateProfileString(u"Other", u"a", u"x", file));
    ASSERT_TRUE(WritePrivateProfileString(u"language", u"extra", u"2", file));
    EXPECT_EQ(ReadBytes(file), "[LANGUAGE]\r\nlanguage=1\r\nextra=2\r\n[Other]\r\na=x\r\n");
    EXPECT_EQ(Read(file, u"LANGUAGE", u"extra"), u"2");
    EXPECT_FALSE(WritePrivateProfileString(u"s", u"k", u"v", folder / "no" / "such.ini"));
}

TEST(PrivateProfileWrite, ChangesOnlyTheKeyLine) {
    ScratchFolder folder;
    const auto file = folder / "a.ini";
    WriteBytes(file,
               "; the language table\r\n"
               "[language]\r\n"
               "  Language = 1 ; old\r\n"
               "tail=t\r\n"
               "\r\n"
               "; next section\r\n"
               "[ENGINSH]\r\n"
               "A=b");
    ASSERT_TRUE(WritePrivateProfileString(u"LANGUAGE", u"language", u"0", file));
    ASSERT_TRUE(WritePrivateProfileString(u"LANGUAGE", u"added", u"new", file));
    ASSERT_TRUE(WritePrivateProfileString(u"ENGINSH", u"c", u"d", file));
    EXPECT_EQ(ReadBytes(file),
              "; the language table\r\n"
              "[language]\r\n"
              "  Language =0\r\n"
              "tail=t\r\n"
              "added=new\r\n"
              "\r\n"
              "; next section\r\n"
              "[ENGINSH]\r\n"
              "A=b\r\n"
              "c=d\r\n");
}

TEST(PrivateProfileWrite, KeepsUtf16AndItsOtherLines) {
    ScratchFolder folder;
    const auto file = folder / "wide.ini";
    const std::u16string before = u"[TEXT]\r\nIDS_A=\u4F60\u597D\r\nIDS_B=old\r\n[Mode]\r\n1=x\r\n";
    WriteBytes(file, Utf16LeFile(before));
    ASSERT_TRUE(WritePrivateProfileString(u"TEXT", u"IDS_B", u"\u65B0", file));
    ASSERT_TRUE(WritePrivateProfileString(u"Mode", u"2", u"y", file));
    EXPECT_EQ(ReadBytes(file), Utf16LeFile(u"[TEXT]\r\nIDS_A=\u4F60\u597D\r\nIDS_B=\u65B0\r\n"
                                           u"[Mode]\r\n1=x\r\n2=y\r\n"));
    EXPECT_EQ(Read(file, u"TEXT", u"IDS_B"), u"\u65B0");
}

TEST(PrivateProfileWrite, ValuesReadBackAsWritten) {
    ScratchFolder folder;
    const auto file = folder / "a.ini";
    for (std::u16string_view value : {u"The current contextual  mode: ", u" lead", u"\"quoted\"",
                                      u"'", u"", u"a=b;c", u"\u4E2D\u6587"}) {
        ASSERT_TRUE(WritePrivateProfileString(u"s", u"k", value, file));
        EXPECT_EQ(Read(file, u"s", u"k"), value);
    }
}

TEST(PrivateProfileWrite, RefusesWhatCannotBeOneLine) {
    ScratchFolder folder;
    const auto file = folder / "a.ini";
    WriteBytes(file, "[s]\nk=v\n");
    EXPECT_FALSE(WritePrivateProfileString(u"s", u"k", u"two\nlines", file));
    EXPECT_FALSE(WritePrivateProfileString(u"s", u"a=b", u"v", file));
    EXPECT_FALSE(WritePrivateProfileString(u"s]", u"k", u"v", file));
    EXPECT_FALSE(WritePrivateProfileString(u"", u"k", u"v", file));
    EXPECT_FALSE(WritePrivateProfileString(u"s", u"", u"v", file));
    EXPECT_EQ(ReadBytes(file), "[s]\nk=v\n");
}

// A folder where the file should be: no write, the default on reading, no throw.
TEST(PrivateProfileWrite, AFolderInTheFilesPlaceIsNotWritten) {
    ScratchFolder folder;
    const auto file = folder / "a.ini";
    std::filesystem::create_directory(file);
    EXPECT_FALSE(WritePrivateProfileString(u"s", u"k", u"v", file));
    EXPECT_EQ(Read(file, u"s", u"k"), u"<none>");
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST(PrivateProfileCache, ALookupSeesAFileChangedAMomentBefore) {
    ScratchFolder folder;
    const auto file = folder / "a.ini";
    WriteBytes(file, "[TEXT]\nk=one\n");
    EXPECT_EQ(Read(file, u"TEXT", u"k"), u"one");
    // Same size, same instant, same inode: only the content differs.
    WriteBytes(file, "[TEXT]\nk=two\n");
    EXPECT_EQ(Read(file, u"TEXT", u"k"), u"two");
    ASSERT_TRUE(WritePrivateProfileString(u"TEXT", u"k", u"three", file));
    EXPECT_EQ(Read(file, u"TEXT", u"k"), u"three");
    std::filesystem::remove(file);
    EXPECT_EQ(Read(file, u"TEXT", u"k"), u"<none>");
}

TEST(PrivateProfileCache, AnOldFileChangedInPlaceIsSeen) {
    ScratchFolder folder;
    const auto file = folder / "a.ini";
    WriteBytes(file, "[TEXT]\nk=one\n");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(file, old);
    EXPECT_EQ(Read(file, u"TEXT", u"k"), u"one");
    EXPECT_EQ(Read(file, u"TEXT", u"k"), u"one");
    WriteBytes(file, "[TEXT]\nk=two\n");
    EXPECT_EQ(Read(file, u"TEXT", u"k"), u"two");
}

TEST(PrivateProfileCache, ReadersSeeWholeValuesWhileAnotherThreadWrites) {
    ScratchFolder folder;
    const auto file = folder / "a.ini";
    WriteBytes(file, "[s]\nk=old\nother=kept\n");
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 3; ++i) {
        readers.emplace_back([&] {
            while (!done) {
                const std::u16string value = Read(file, u"s", u"k");
                const bool whole = value == u"old" || value.starts_with(u"new");
                torn += !whole || Read(file, u"s", u"other") != u"kept";
            }
        });
    }
    for (int i = 0; i < 200; ++i) {
        const std::string n = std::to_string(i);
        ASSERT_TRUE(WritePrivateProfileString(u"s", u"k",
                                              u"new" + std::u16string(n.begin(), n.end()), file));
    }
    done = true;
    for (std::thread& reader : readers) {
        reader.join();
    }
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(Read(file, u"s", u"k"), u"new199");
}

}  // namespace
}  // namespace tessel
