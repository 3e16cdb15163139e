#include "text/LocalText.h"

#include <string>

#include "platform/PrivateProfile.h"
#include "platform/Utf8.h"
#include "text/LanguageChoice.h"
#include "text/SupportedLanguages.h"

namespace tessel {
namespace {

constexpr std::u16string_view kTextSection = u"TEXT";
constexpr std::u16string_view kModeSection = u"Mode";
constexpr std::size_t kTextBuffer = 260;

}  // namespace

LanguageFiles::LanguageFiles(const std::filesystem::path& programFolder) {
    for (std::size_t i = 0; i < files_.size(); ++i) {
        files_[i] = programFolder / PathFromUtf16(LanguageFileName(static_cast<int>(i)));
    }
}

const std::filesystem::path& LanguageFiles::FileFor(int languageIndex) const {
    if (languageIndex < 0 || languageIndex >= static_cast<int>(files_.size())) {
        languageIndex = 0;
    }
    return files_[static_cast<std::size_t>(languageIndex)];
}

std::u16string LanguageFiles::LocalText(std::u16string_view textKey, int languageIndex) const {
    return GetPrivateProfileString(kTextSection, textKey, kMissingText, kTextBuffer,
                                   FileFor(languageIndex));
}

std::u16string LanguageFiles::EffectName(int effectCode, int languageIndex) const {
    // An effect the file does not name is shown by its code: a fixed default
    // would give several effects the same name.
    const std::string digits = std::to_string(effectCode);
    const std::u16string code(digits.begin(), digits.end());
    return GetPrivateProfileString(kModeSection, code, code, kTextBuffer, FileFor(languageIndex));
}

std::u16string CurrentLanguageTexts::LocalText(std::u16string_view textKey) const {
    return files_.LocalText(textKey, choice_.LanguageIndex());
}

std::u16string CurrentLanguageTexts::EffectName(int effectCode) const {
    return files_.EffectName(effectCode, choice_.LanguageIndex());
}

}  // namespace tessel
