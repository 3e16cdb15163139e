// The tray menu's texts and the names of the program's named events.

#include "SkinTestFolder.h"
#include "resident/MainEvents.h"
#include "resident/TrayMenuTexts.h"
#include "text/LocalText.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

using testing_support::SkinTestFolder;

constexpr int kChinese = 0;
constexpr int kEnglish = 1;

constexpr char kLanguageIni[] =
    "[LANGUAGE]\nlanguage=%s\n"
    "[ENGINSH]\nMENU_11=Show\nMENU_22=Info\nMENU_33=Quit\n"
    "[CHINESE]\nMENU_11=Open-zh\nMENU_33=Exit-zh\n";

void WriteLanguageIni(const SkinTestFolder& folder, const std::string& selector) {
    std::string text = kLanguageIni;
    text.replace(text.find("%s"), 2, selector);
    folder.WriteText("Skins/language.ini", text);
}

TEST(TrayMenuTexts, SkinSectionFollowsTheSelectorOrAnEnglishUser) {
    SkinTestFolder folder;
    WriteLanguageIni(folder, "1");
    TrayMenuTexts texts = SkinTrayMenuTexts(folder.Root(), kChinese);
    EXPECT_EQ(texts.open, "Show");
    EXPECT_EQ(texts.exit, "Quit");

    WriteLanguageIni(folder, "0");
    texts = SkinTrayMenuTexts(folder.Root(), kChinese);
    EXPECT_EQ(texts.open, "Open-zh");
    EXPECT_EQ(texts.about, "About(&A)") << "a missing key keeps the built-in text";
    EXPECT_EQ(SkinTrayMenuTexts(folder.Root(), kEnglish).about, "Info");
}

TEST(TrayMenuTexts, LanguageFileNamesTheCommandsWhereItHasTexts) {
    SkinTestFolder folder;
    WriteLanguageIni(folder, "1");
    const LanguageFiles files(folder.Root());
    // No language file: the menu keeps the skin's texts instead of "#Error".
    TrayMenuTexts texts = TrayMenuTextsFor(folder.Root(), files, kEnglish);
    EXPECT_EQ(texts.open, "Show");

    folder.WriteText("Lang0409.ini",
                     "[TEXT]\nIDS_POP_UP_MENU_OPEN=Open window\nIDS_POP_UP_MENU_EXIT=\n");
    texts = TrayMenuTextsFor(folder.Root(), files, kEnglish);
    EXPECT_EQ(texts.open, "Open window");
    EXPECT_EQ(texts.about, "Info");
    EXPECT_EQ(texts.exit, "Quit") << "an empty text names nothing";
}

TEST(MainEvents, NamesRunFromOneTo208WithTwoDigitsAtLeast) {
    EXPECT_EQ(MainEventName(1), "Tessel_Event_Main_01");
    EXPECT_EQ(MainEventName(99), "Tessel_Event_Main_99");
    EXPECT_EQ(MainEventName(kMainEventCount), "Tessel_Event_Main_208");
}

}  // namespace
}  // namespace tessel
