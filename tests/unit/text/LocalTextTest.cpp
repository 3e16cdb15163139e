#include "text/LocalText.h"

#include <gtest/gtest.h>

#include "TextTestFiles.h"
#include "platform/Registry.h"
#include "text/LanguageChoice.h"
#include "text/LanguageTable.h"
#include "text/SafeFormat.h"

namespace tessel {
namespace {

constexpr std::u16string_view kKey = u"Software\\Zerkon_PX5";
constexpr std::u16string_view kValue = u"dwLanguageId";

class LocalTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteBytes(folder / "Lang0409.ini",
                         "[TEXT]\nIDS_MAIN_OK=OK\nIDS_EMPTY=\n"
                         "IDS_UNKNOWN_KEY=%s%s%n\n"
                         "[Mode]\n1=Static\n7=Custom\n");
        test::WriteBytes(folder / "Lang0804.ini", "[TEXT]\nIDS_MAIN_OK=\xE7\xA1\xAE\xE5\xAE\x9A\n");
    }

    test::ScratchFolder folder;
    Registry registry{folder / "user.reg"};
    LanguageChoice choice{registry, [] { return std::uint16_t{0x0409}; }};
    LanguageFiles files{folder.Path()};
    CurrentLanguageTexts texts{files, choice};
};

TEST_F(LocalTextTest, LooksUpInTheFileOfTheLanguageIndex) {
    EXPECT_EQ(files.LocalText(u"IDS_MAIN_OK", 1), u"OK");
    EXPECT_EQ(files.LocalText(u"IDS_MAIN_OK", 0), u"\u786E\u5B9A");
    EXPECT_EQ(files.LocalText(u"IDS_MAIN_OK", 12), u"\u786E\u5B9A");
    EXPECT_EQ(files.FileFor(1), folder / "Lang0409.ini");
}

TEST_F(LocalTextTest, MissingGivesErrorAndEmptyGivesEmpty) {
    EXPECT_EQ(files.LocalText(u"IDS_EMPTY", 1), u"");
    EXPECT_EQ(files.LocalText(u"IDS_NOT_THERE", 1), u"#Error");
    EXPECT_EQ(files.LocalText(u"IDS_MAIN_OK", 2), u"#Error") << "no Lang040C.ini";
    EXPECT_EQ(files.LocalText(u"", 1), u"#Error") << "an empty text-key entry";
}

TEST_F(LocalTextTest, TextsAreCutTo259Units) {
    test::WriteBytes(folder / "Lang0409.ini", "[TEXT]\nLONG=" + std::string(400, 'x') + "\n");
    EXPECT_EQ(files.LocalText(u"LONG", 1), std::u16string(259, u'x'));
}

TEST_F(LocalTextTest, FollowsTheStoredLanguageAtEveryLookup) {
    EXPECT_EQ(texts.LocalText(u"IDS_MAIN_OK"), u"OK");
    ASSERT_TRUE(registry.WriteDword(kKey, kValue, 1031));
    EXPECT_EQ(texts.LocalText(u"IDS_MAIN_OK"), u"\u786E\u5B9A");
    EXPECT_EQ(registry.ReadDword(kKey, kValue), 1031u);
    ASSERT_TRUE(registry.WriteDword(kKey, kValue, 1033));
    test::WriteBytes(folder / "Lang0409.ini", "[TEXT]\nIDS_MAIN_OK=Okay\n");
    EXPECT_EQ(texts.LocalText(u"IDS_MAIN_OK"), u"Okay");
}

TEST_F(LocalTextTest, EffectNamesComeFromSectionMode) {
    EXPECT_EQ(texts.EffectName(1), u"Static");
    EXPECT_EQ(texts.EffectName(7), u"Custom");
    EXPECT_EQ(texts.EffectName(3), u"3") << "an unnamed effect keeps its own number";
    EXPECT_EQ(files.EffectName(1, 2), u"1") << "no Lang040C.ini";
}

TEST_F(LocalTextTest, AHostileUnknownKeyFormatIsHarmless) {
    test::WriteBytes(folder / "language.ini",
                     "[LANGUAGE]\nlanguage=1\n[ENGINSH]\nUNKNOWN_KEY=IDS_UNKNOWN_KEY\n");
    LanguageTable table;
    table.LoadLanguageTable(folder / "language.ini");
    const std::u16string format = table.LocalisedText(TextKeyEntry::UNKNOWN_KEY, texts);
    EXPECT_EQ(format, u"%s%s%n");
    EXPECT_EQ(SafeFormat(format, {0x064}), u"%s%s%n");
}

}  // namespace
}  // namespace tessel
