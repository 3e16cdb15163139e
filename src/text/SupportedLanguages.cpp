#include "text/SupportedLanguages.h"

#include <array>
#include <cstdio>
#include <utility>

namespace tessel {
namespace {

constexpr std::array<std::uint16_t, kSupportedLanguageCount> kSupportedLanguages = {
    0x0804,  // Simplified Chinese
    0x0409,  // English (United States)
    0x040C,  // French
    0x0C0A,  // Spanish
    0x0416,  // Portuguese (Brazil)
    0x0413,  // Dutch
    0x0421,  // Indonesian
    0x0412,  // Korean
    0x0404,  // Traditional Chinese
    0x0000,  // has a file name, is never chosen
};

// Regional variants and the language whose file they use.
constexpr std::array<std::pair<std::uint16_t, std::uint16_t>, 43> kSystemLanguageMap = {{
    {0x0C04, 0x0409}, {0x1004, 0x0404}, {0x080A, 0x040A}, {0x0C0A, 0x040A}, {0x100A, 0x040A},
    {0x140A, 0x040A}, {0x180A, 0x040A}, {0x1C0A, 0x040A}, {0x200A, 0x040A}, {0x240A, 0x040A},
    {0x280A, 0x040A}, {0x2C0A, 0x040A}, {0x300A, 0x040A}, {0x340A, 0x040A}, {0x380A, 0x040A},
    {0x3C0A, 0x040A}, {0x400A, 0x040A}, {0x440A, 0x040A}, {0x480A, 0x040A}, {0x4C0A, 0x040A},
    {0x500A, 0x040A}, {0x080C, 0x040C}, {0x0C0C, 0x040C}, {0x100C, 0x040C}, {0x140C, 0x040C},
    {0x0810, 0x0410}, {0x0816, 0x0416}, {0x0813, 0x0413}, {0x081D, 0x041D}, {0x0809, 0x0409},
    {0x0C09, 0x0409}, {0x1009, 0x0409}, {0x1409, 0x0409}, {0x1809, 0x0409}, {0x1C09, 0x0409},
    {0x2009, 0x0409}, {0x2409, 0x0409}, {0x2809, 0x0409}, {0x2C09, 0x0409}, {0x0807, 0x0407},
    {0x0C07, 0x0407}, {0x1007, 0x0407}, {0x1407, 0x0407},
}};

// The last supported entry has a file but is never chosen by identifier.
constexpr std::size_t kChoosableLanguages = kSupportedLanguageCount - 1;

}  // namespace

std::uint16_t SupportedLanguageId(int index) {
    if (index < 0 || index >= static_cast<int>(kSupportedLanguageCount)) {
        index = 0;
    }
    return kSupportedLanguages[static_cast<std::size_t>(index)];
}

std::optional<int> SupportedLanguageIndex(std::uint32_t languageId) {
    for (std::size_t i = 0; i < kChoosableLanguages; ++i) {
        if (kSupportedLanguages[i] == languageId) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::optional<std::uint16_t> SupportedRegionalForm(std::uint16_t languageId) {
    constexpr std::uint16_t kPrimaryLanguage = 0x03FF;
    for (std::size_t i = 0; i < kChoosableLanguages; ++i) {
        if ((kSupportedLanguages[i] & kPrimaryLanguage) == (languageId & kPrimaryLanguage)) {
            return kSupportedLanguages[i];
        }
    }
    return std::nullopt;
}

std::uint16_t MapSystemLanguage(std::uint16_t systemLanguageId) {
    for (const auto& [system, use] : kSystemLanguageMap) {
        if (system == systemLanguageId) {
            return use;
        }
    }
    return systemLanguageId;
}

std::u16string LanguageFileName(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "Lang%04X.ini",
                  static_cast<unsigned>(SupportedLanguageId(index)));
    return std::u16string(name, name + std::char_traits<char>::length(name));
}

}  // namespace tessel
