#include <gtest/gtest.h>
#include <sys/stat.h>

#include "PlatformTestSupport.h"
#include "platform/DocumentsFolder.h"
#include "platform/SystemLanguage.h"
#include "platform/UserFolders.h"
#include "platform/Utf8.h"

namespace tessel {
namespace {

using testing::ScopedEnv;
using testing::TempFolder;

TEST(Utf8Test, RoundTripsEveryPlaneAndReplacesWhatIsMalformed) {
    const std::u16string text = u"A\u00E9\u4E2D\U0001F600";
    EXPECT_EQ(ToUtf8(text), "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);

    // Unpaired surrogates cannot be written as UTF-8.
    EXPECT_EQ(ToUtf8(std::u16string{u'a', char16_t(0xD800), u'b', char16_t(0xDC00)}),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
    // Stray continuation, overlong form, encoded surrogate, cut-off sequence.
    EXPECT_EQ(FromUtf8("\x80x"), u"\uFFFDx");
    EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(FromUtf8("ab\xE4\xB8"), u"ab\uFFFD\uFFFD");
    EXPECT_EQ(FromUtf8("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(SystemLanguageTest, MapsLocalesToWindowsLanguageIdentifiers) {
    EXPECT_EQ(LanguageIdFromLocale("en_AU.UTF-8"), 0x0C09);
    EXPECT_EQ(LanguageIdFromLocale("zh_CN.GB2312"), 0x0804);
    EXPECT_EQ(LanguageIdFromLocale("zh_TW.UTF-8"), 0x0404);
    EXPECT_EQ(LanguageIdFromLocale("de_DE@euro"), 0x0407);
    EXPECT_EQ(LanguageIdFromLocale("es_AR.UTF-8"), 0x2C0A);
    // A country without its own entry takes the language's main identifier.
    EXPECT_EQ(LanguageIdFromLocale("de_BE.UTF-8"), 0x0407);
    EXPECT_EQ(LanguageIdFromLocale("fr"), 0x040C);
    for (const char* unknown : {"C", "POSIX", "C.UTF-8", "xx_YY", ""}) {
        EXPECT_EQ(LanguageIdFromLocale(unknown), 0x0409) << unknown;
    }
}

TEST(SystemLanguageTest, TakesTheFirstSetOfLcAllLcMessagesAndLang) {
    {
        ScopedEnv all("LC_ALL", "de_DE.UTF-8");
        ScopedEnv messages("LC_MESSAGES", "fr_FR.UTF-8");
        ScopedEnv lang("LANG", "zh_CN.UTF-8");
        EXPECT_EQ(SystemDefaultLanguageId(), 0x0407);
    }
    {
        ScopedEnv all("LC_ALL", "");
        ScopedEnv messages("LC_MESSAGES", "fr_FR.UTF-8");
        ScopedEnv lang("LANG", "zh_CN.UTF-8");
        EXPECT_EQ(SystemDefaultLanguageId(), 0x040C);
    }
    {
        ScopedEnv all("LC_ALL", nullptr);
        ScopedEnv messages("LC_MESSAGES", nullptr);
        ScopedEnv lang("LANG", "zh_CN.UTF-8");
        EXPECT_EQ(SystemDefaultLanguageId(), 0x0804);
    }
    ScopedEnv all("LC_ALL", nullptr);
    ScopedEnv messages("LC_MESSAGES", nullptr);
    ScopedEnv lang("LANG", nullptr);
    EXPECT_EQ(SystemDefaultLanguageId(), 0x0409);
}

class DocumentsFolderTest : public ::testing::Test {
protected:
    TempFolder m_folder;
    ScopedEnv m_home{"HOME", m_folder.Path()};
    ScopedEnv m_config{"XDG_CONFIG_HOME", m_folder / "config"};

    void WriteUserDirs(const std::string& line) {
        std::filesystem::create_directories(m_folder / "config");
        testing::WriteText(
            m_folder / "config" / "user-dirs.dirs",
            "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n" + line + "\n");
    }
};

TEST_F(DocumentsFolderTest, FollowsUserDirsRelativeToHomeOrAbsolute) {
    WriteUserDirs("XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"");
    EXPECT_EQ(DocumentsFolder(), m_folder / "Dokumente");
    WriteUserDirs("XDG_DOCUMENTS_DIR=\"/srv/papers\"");
    EXPECT_EQ(DocumentsFolder(), std::filesystem::path("/srv/papers"));
}

TEST_F(DocumentsFolderTest, FallsBackToDocumentsInHome) {
    EXPECT_EQ(DocumentsFolder(), m_folder / "Documents");
    // Relative entries are not allowed by the XDG rules.
    WriteUserDirs("XDG_DOCUMENTS_DIR=\"papers\"");
    EXPECT_EQ(DocumentsFolder(), m_folder / "Documents");
}

TEST(UserFoldersTest, RuntimeFilesFallBackToAPrivateFolderOfTheUser) {
    TempFolder folder;
    {
        ScopedEnv runtime("XDG_RUNTIME_DIR", folder.Path());
        EXPECT_EQ(RuntimeFile("Zerkon_PX5", ".lock"), folder / "Zerkon_PX5.lock");
    }
    TempFolder temporary;
    ScopedEnv tmpdir("TMPDIR", temporary.Path());
    const auto privateFolder = temporary / ("tessel-" + std::to_string(getuid()));
    for (const char* runtime : {"", "relative/run", "/no/such/folder"}) {
        ScopedEnv set("XDG_RUNTIME_DIR", runtime);
        EXPECT_EQ(RuntimeFile("Zerkon_PX5", ".lock"), privateFolder / "Zerkon_PX5.lock")
            << runtime;
        struct stat info {};
        ASSERT_EQ(lstat(privateFolder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
    }
    // A folder others may enter, or a link planted in its place, is no lock's home.
    ScopedEnv set("XDG_RUNTIME_DIR", "");
    chmod(privateFolder.c_str(), 0777);
    EXPECT_TRUE(RuntimeFile("Zerkon_PX5", ".lock").empty());
    std::filesystem::remove(privateFolder);
    std::filesystem::create_directory_symlink(folder.Path(), privateFolder);
    EXPECT_TRUE(RuntimeFile("Zerkon_PX5", ".lock").empty());
}

}  // namespace
}  // namespace tessel
