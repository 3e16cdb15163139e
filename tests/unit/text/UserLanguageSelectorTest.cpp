// The language command on an installed copy: the program's language.ini
// cannot be written, so the selector is kept in the user's configuration
// folder and read from there first.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "TextTestFiles.h"
#include "text/LanguageTable.h"
#include "text/UserLanguageSelector.h"

namespace tessel {
namespace {

class UserLanguageSelector : public ::testing::Test {
protected:
    void SetUp() override {
        const char* before = std::getenv("XDG_CONFIG_HOME");
        m_saved = before ? std::optional<std::string>(before) : std::nullopt;
        setenv("XDG_CONFIG_HOME", (m_folder / "config").c_str(), 1);
    }
    void TearDown() override {
        if (m_saved) {
            setenv("XDG_CONFIG_HOME", m_saved->c_str(), 1);
        } else {
            unsetenv("XDG_CONFIG_HOME");
        }
    }
    test::ScratchFolder m_folder;
    std::optional<std::string> m_saved;
};

TEST_F(UserLanguageSelector, AnUnwritableProgramFileLeavesTheSelectorToTheUsersCopy) {
    const auto shipped = m_folder / "language.ini";
    const std::string english =
        "[LANGUAGE]\nlanguage=1\n[ENGINSH]\nPROFILE_TIP=english\n[CHINESE]\nPROFILE_TIP=chinese\n";
    test::WriteBytes(shipped, english);
    // A portable copy: the program's own file takes the selector.
    LanguageTable table;
    EXPECT_TRUE(RunLanguageCommand(table, shipped));
    EXPECT_NE(test::ReadBytes(shipped).find("language=0"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(UserLanguageSelectorFile()));

    // An installed copy: not even root creates files under /proc.
    test::WriteBytes(shipped, english);
    table.LoadLanguageTable(shipped);
    ASSERT_EQ(table.Value(TextEntry::PROFILE_TIP), u"english");
    EXPECT_TRUE(RunLanguageCommand(table, "/proc/no-such-program/Skins/language.ini"));
    EXPECT_EQ(UserLanguageSelectorFile(), m_folder / "config" / "tessel" / "language.ini");
    EXPECT_NE(test::ReadBytes(UserLanguageSelectorFile()).find("language=0"), std::string::npos);
    // From now on the user's copy is read first, and written too.
    EXPECT_EQ(ReadLanguageSelector(shipped), 0);
    table.LoadLanguageTable(shipped);
    EXPECT_EQ(table.Value(TextEntry::PROFILE_TIP), u"chinese");
    EXPECT_TRUE(RunLanguageCommand(table, shipped));
    EXPECT_NE(test::ReadBytes(shipped).find("language=1"), std::string::npos);
}

TEST_F(UserLanguageSelector, WhenNeitherCanBeWrittenTheCommandSaysSo) {
    if (getuid() == 0) {
        GTEST_SKIP() << "root writes read-only folders";
    }
    std::filesystem::create_directories(m_folder / "config" / "tessel");
    std::filesystem::permissions(
        m_folder / "config" / "tessel",
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    LanguageTable table;
    EXPECT_FALSE(RunLanguageCommand(table, "/proc/no-such-program/Skins/language.ini"));
    std::filesystem::permissions(m_folder / "config" / "tessel", std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace tessel
