#include "text/UserLanguageSelector.h"

#include "platform/PrivateProfile.h"
#include "platform/UserFolders.h"

namespace tessel {

namespace {

// Section names compare without case: this is the selector's own section.
constexpr std::u16string_view kSection = u"language";
constexpr std::u16string_view kKey = u"language";
constexpr std::u16string_view kCommandValue = u"0";

}  // namespace

std::filesystem::path UserLanguageSelectorFile() {
    return ConfigFolder() / "tessel" / "language.ini";
}

std::filesystem::path LanguageSelectorSource(const std::filesystem::path& languageIni) {
    const std::filesystem::path user = UserLanguageSelectorFile();
    std::error_code error;
    return std::filesystem::is_regular_file(user, error) ? user : languageIni;
}

bool StoreLanguageCommandSelector(const std::filesystem::path& languageIni) {
    const std::filesystem::path user = UserLanguageSelectorFile();
    if (LanguageSelectorSource(languageIni) == languageIni &&
        WritePrivateProfileString(kSection, kKey, kCommandValue, languageIni)) {
        return true;
    }
    std::error_code error;
    std::filesystem::create_directories(user.parent_path(), error);
    return WritePrivateProfileString(kSection, kKey, kCommandValue, user);
}

}  // namespace tessel
