#include "resident/TrayMenuTexts.h"

#include "platform/PrivateProfile.h"
#include "skin/qt/SkinPictures.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"

#include <string>

namespace tessel {

namespace {

constexpr int kEnglishIndex = 1;
constexpr std::size_t kMenuTextBuffer = 260;

QString FromSkin(const std::filesystem::path& languageIni, std::u16string_view section,
                 std::u16string_view key, const QString& fallback) {
    const std::u16string value =
        GetPrivateProfileString(section, key, u"", kMenuTextBuffer, languageIni);
    return value.empty() ? fallback : QString::fromStdU16String(value);
}

}  // namespace

TrayMenuTexts SkinTrayMenuTexts(const std::filesystem::path& programFolder, int languageIndex) {
    TrayMenuTexts texts{QStringLiteral("Open(&O)"), QStringLiteral("About(&A)"),
                        QStringLiteral("Exit(&X)")};
    const std::filesystem::path languageIni = SkinFilePath(programFolder, u"Skins\\language.ini");
    const bool english = ReadLanguageSelector(languageIni) == 1 || languageIndex == kEnglishIndex;
    const std::u16string_view section = english ? u"ENGINSH" : u"CHINESE";
    texts.open = FromSkin(languageIni, section, u"MENU_11", texts.open);
    texts.about = FromSkin(languageIni, section, u"MENU_22", texts.about);
    texts.exit = FromSkin(languageIni, section, u"MENU_33", texts.exit);
    return texts;
}

TrayMenuTexts TrayMenuTextsFor(const std::filesystem::path& programFolder,
                               const LanguageFiles& files, int languageIndex) {
    // The skin's texts come first; the language file then names the three
    // commands in the user's language, where it has a text for them.
    TrayMenuTexts texts = SkinTrayMenuTexts(programFolder, languageIndex);
    auto localise = [&](QString& text, std::u16string_view key) {
        const std::u16string local = files.LocalText(key, languageIndex);
        if (!local.empty() && local != kMissingText) {
            text = QString::fromStdU16String(local);
        }
    };
    localise(texts.open, u"IDS_POP_UP_MENU_OPEN");
    localise(texts.about, u"IDS_POP_UP_MENU_ABOUT");
    localise(texts.exit, u"IDS_POP_UP_MENU_EXIT");
    return texts;
}

}  // namespace tessel
