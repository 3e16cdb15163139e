#pragma once
// Texts of the language files "Lang%04X.ini" beside the program. Nothing is
// kept between lookups but the INI engine's file cache, which re-reads a file
// that changed, so an edited file or a new language takes effect at the next
// lookup.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "text/SupportedLanguages.h"
#include "text/TextLookup.h"

namespace tessel {

class LanguageChoice;

inline constexpr std::u16string_view kMissingText = u"#Error";

class LanguageFiles {
public:
    explicit LanguageFiles(const std::filesystem::path& programFolder);

    const std::filesystem::path& FileFor(int languageIndex) const;
    // Section "TEXT": the text of `textKey` (at most 259 units), "#Error" when
    // the file or key is missing; a key present with an empty value gives "".
    std::u16string LocalText(std::u16string_view textKey, int languageIndex) const;
    // Section "Mode": the name of lighting effect `effectCode`, or the code in
    // decimal when the file does not name it.
    std::u16string EffectName(int effectCode, int languageIndex) const;

private:
    // Built once: a lookup then only costs the INI engine's cached read.
    std::array<std::filesystem::path, kSupportedLanguageCount> files_;
};

// The texts of the language in use: each lookup asks the language choice anew.
class CurrentLanguageTexts final : public TextLookup {
public:
    CurrentLanguageTexts(const LanguageFiles& files, const LanguageChoice& choice)
        : files_(files), choice_(choice) {}

    std::u16string LocalText(std::u16string_view textKey) const override;
    std::u16string EffectName(int effectCode) const;

private:
    const LanguageFiles& files_;
    const LanguageChoice& choice_;
};

}  // namespace tessel
