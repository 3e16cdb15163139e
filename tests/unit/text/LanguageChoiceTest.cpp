#include "text/LanguageChoice.h"

#include <gtest/gtest.h>

#include "TextTestFiles.h"
#include "platform/PrivateProfile.h"
#include "platform/Registry.h"
#include "text/SupportedLanguages.h"

namespace tessel {
namespace {

constexpr std::u16string_view kKey = u"Software\\Zerkon_PX5";
constexpr std::u16string_view kValue = u"dwLanguageId";

class LanguageChoiceTest : public ::testing::Test {
protected:
    LanguageChoice ChoiceWithSystem(std::uint16_t systemLanguage) {
        return LanguageChoice(registry, [systemLanguage] { return systemLanguage; });
    }
    std::optional<std::uint32_t> Stored() const { return registry.ReadDword(kKey, kValue); }

    test::ScratchFolder folder;
    Registry registry{folder / "user.reg"};
};

TEST_F(LanguageChoiceTest, NothingStoredChoosesFromTheSystemLanguage) {
    struct Case {
        std::uint16_t system;
        std::uint32_t stored;
        int index;
    };
    // English (Australia) maps to US English; every Spanish variant maps to
    // 0x040A, which has no file, and gets the Spanish file of Spain; German is
    // neither mapped nor supported.
    for (const Case c : {Case{0x0C09, 1033, 1}, Case{0x0C0A, 3082, 3}, Case{0x080A, 3082, 3},
                         Case{0x040A, 3082, 3}, Case{0x0407, 2052, 0}, Case{0x0410, 2052, 0},
                         Case{0x0C04, 1033, 1}, Case{0x1004, 0x0404, 8}, Case{0x0412, 0x0412, 7},
                         Case{0x0000, 2052, 0}}) {
        test::ScratchFolder own;
        Registry fresh(own / "user.reg");
        LanguageChoice choice(fresh, [c] { return c.system; });
        EXPECT_EQ(choice.LanguageId(), c.stored) << std::hex << c.system;
        EXPECT_EQ(fresh.ReadDword(kKey, kValue), c.stored) << std::hex << c.system;
        EXPECT_EQ(choice.LanguageIndex(), c.index) << std::hex << c.system;
    }
}

TEST_F(LanguageChoiceTest, AStoredValueIsKeptEvenWhenUnsupported) {
    ASSERT_TRUE(registry.WriteDword(kKey, kValue, 1031));
    LanguageChoice choice = ChoiceWithSystem(0x0409);
    EXPECT_EQ(choice.LanguageId(), 1031u);
    EXPECT_EQ(choice.LanguageIndex(), 0);
    EXPECT_EQ(Stored(), 1031u);
}

TEST_F(LanguageChoiceTest, ZeroOrAWrongTypeIsReplacedByAChoice) {
    ASSERT_TRUE(registry.WriteDword(kKey, kValue, 0));
    EXPECT_EQ(ChoiceWithSystem(0x0409).LanguageId(), 1033u);
    EXPECT_EQ(Stored(), 1033u);

    ASSERT_TRUE(registry.WriteString(kKey, kValue, u"1033"));
    EXPECT_EQ(ChoiceWithSystem(0x040C).LanguageIndex(), 2);
    EXPECT_EQ(Stored(), 0x040Cu);
}

TEST_F(LanguageChoiceTest, SetLanguageIndexStoresTheSupportedIdentifier) {
    LanguageChoice choice = ChoiceWithSystem(0x0409);
    choice.SetLanguageIndex(5);
    EXPECT_EQ(Stored(), 0x0413u);
    EXPECT_EQ(choice.LanguageIndex(), 5);
    choice.SetLanguageIndex(10);
    EXPECT_EQ(Stored(), 2052u);
    choice.SetLanguageIndex(-3);
    EXPECT_EQ(Stored(), 2052u);
    // Entry 9 has no language: its identifier 0 means "choose again".
    choice.SetLanguageIndex(9);
    EXPECT_EQ(choice.LanguageId(), 1033u);
}

TEST(SupportedLanguages, FileNames) {
    EXPECT_EQ(LanguageFileName(0), u"Lang0804.ini");
    EXPECT_EQ(LanguageFileName(3), u"Lang0C0A.ini");
    EXPECT_EQ(LanguageFileName(9), u"Lang0000.ini");
    EXPECT_EQ(LanguageFileName(42), u"Lang0804.ini");
    EXPECT_FALSE(SupportedLanguageIndex(0).has_value());
}

// A Chinese language file saved by a Chinese Windows editor is in code page 936.
TEST_F(LanguageChoiceTest, TheChosenLanguageDecidesHowIniFilesWithoutBomRead) {
    const auto file = folder / "Lang0804.ini";
    test::WriteBytes(file, "[TEXT]\r\nIDS_MAIN_OK=\xC8\xB7\xB6\xA8\r\n");
    ASSERT_TRUE(registry.WriteDword(kKey, kValue, 0x0804));
    EXPECT_EQ(ChoiceWithSystem(0x0409).LanguageId(), 0x0804u);
    EXPECT_EQ(GetPrivateProfileString(u"TEXT", u"IDS_MAIN_OK", u"", 260, file), u"\u786E\u5B9A");
    SetPrivateProfileLanguage(0);
}

}  // namespace
}  // namespace tessel
