#pragma once
// The texts of the tray menu, set each time it pops up: the built-in texts,
// then those of Skins/language.ini, then the language file's where it has one
// (a missing language file leaves the skin's texts rather than "#Error").

#include <QString>

#include <filesystem>

namespace tessel {

class LanguageFiles;

struct TrayMenuTexts {
    QString open, about, exit;
};

// `languageIndex` is the user-interface language (1 is English).
TrayMenuTexts TrayMenuTextsFor(const std::filesystem::path& programFolder,
                               const LanguageFiles& files, int languageIndex);

// The texts of Skins/language.ini alone (section "ENGINSH" when its selector is 1
// or the language is English, else "CHINESE"); a missing key keeps the built-in text.
TrayMenuTexts SkinTrayMenuTexts(const std::filesystem::path& programFolder, int languageIndex);

}  // namespace tessel
