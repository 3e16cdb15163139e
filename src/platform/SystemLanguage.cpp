#include "platform/SystemLanguage.h"

#include <array>
#include <cstdlib>
#include <optional>
#include <string>

namespace tessel {

namespace {

constexpr uint16_t kEnglishUnitedStates = 0x0409;

struct LocaleLanguage {
    std::string_view locale;  // "ll_CC", or "ll" for the language's main identifier
    uint16_t id;
};

// Windows language identifiers of the locales a user is likely to run.
constexpr std::array kLocaleLanguages{
    LocaleLanguage{"ar", 0x0401},    LocaleLanguage{"ar_SA", 0x0401},
    LocaleLanguage{"ar_EG", 0x0C01}, LocaleLanguage{"bg", 0x0402},
    LocaleLanguage{"ca", 0x0403},    LocaleLanguage{"cs", 0x0405},
    LocaleLanguage{"da", 0x0406},    LocaleLanguage{"de", 0x0407},
    LocaleLanguage{"de_DE", 0x0407}, LocaleLanguage{"de_CH", 0x0807},
    LocaleLanguage{"de_AT", 0x0C07}, LocaleLanguage{"de_LU", 0x1007},
    LocaleLanguage{"de_LI", 0x1407}, LocaleLanguage{"el", 0x0408},
    LocaleLanguage{"en", 0x0409},    LocaleLanguage{"en_US", 0x0409},
    LocaleLanguage{"en_GB", 0x0809}, LocaleLanguage{"en_AU", 0x0C09},
    LocaleLanguage{"en_CA", 0x1009}, LocaleLanguage{"en_NZ", 0x1409},
    LocaleLanguage{"en_IE", 0x1809}, LocaleLanguage{"en_ZA", 0x1C09},
    LocaleLanguage{"en_JM", 0x2009}, LocaleLanguage{"en_BZ", 0x2809},
    LocaleLanguage{"en_TT", 0x2C09}, LocaleLanguage{"en_IN", 0x4009},
    LocaleLanguage{"en_SG", 0x4809}, LocaleLanguage{"es", 0x0C0A},
    LocaleLanguage{"es_ES", 0x0C0A}, LocaleLanguage{"es_MX", 0x080A},
    LocaleLanguage{"es_GT", 0x100A}, LocaleLanguage{"es_CR", 0x140A},
    LocaleLanguage{"es_PA", 0x180A}, LocaleLanguage{"es_DO", 0x1C0A},
    LocaleLanguage{"es_VE", 0x200A}, LocaleLanguage{"es_CO", 0x240A},
    LocaleLanguage{"es_PE", 0x280A}, LocaleLanguage{"es_AR", 0x2C0A},
    LocaleLanguage{"es_EC", 0x300A}, LocaleLanguage{"es_CL", 0x340A},
    LocaleLanguage{"es_UY", 0x380A}, LocaleLanguage{"es_PY", 0x3C0A},
    LocaleLanguage{"es_BO", 0x400A}, LocaleLanguage{"es_SV", 0x440A},
    LocaleLanguage{"es_HN", 0x480A}, LocaleLanguage{"es_NI", 0x4C0A},
    LocaleLanguage{"es_PR", 0x500A}, LocaleLanguage{"fi", 0x040B},
    LocaleLanguage{"fr", 0x040C},    LocaleLanguage{"fr_FR", 0x040C},
    LocaleLanguage{"fr_BE", 0x080C}, LocaleLanguage{"fr_CA", 0x0C0C},
    LocaleLanguage{"fr_CH", 0x100C}, LocaleLanguage{"fr_LU", 0x140C},
    LocaleLanguage{"he", 0x040D},    LocaleLanguage{"hu", 0x040E},
    LocaleLanguage{"is", 0x040F},    LocaleLanguage{"it", 0x0410},
    LocaleLanguage{"it_IT", 0x0410}, LocaleLanguage{"it_CH", 0x0810},
    LocaleLanguage{"ja", 0x0411},    LocaleLanguage{"ko", 0x0412},
    LocaleLanguage{"nl", 0x0413},    LocaleLanguage{"nl_NL", 0x0413},
    LocaleLanguage{"nl_BE", 0x0813}, LocaleLanguage{"nb", 0x0414},
    LocaleLanguage{"no", 0x0414},    LocaleLanguage{"pl", 0x0415},
    LocaleLanguage{"pt", 0x0816},    LocaleLanguage{"pt_BR", 0x0416},
    LocaleLanguage{"pt_PT", 0x0816}, LocaleLanguage{"ro", 0x0418},
    LocaleLanguage{"ru", 0x0419},    LocaleLanguage{"hr", 0x041A},
    LocaleLanguage{"sk", 0x041B},    LocaleLanguage{"sv", 0x041D},
    LocaleLanguage{"sv_SE", 0x041D}, LocaleLanguage{"sv_FI", 0x081D},
    LocaleLanguage{"th", 0x041E},    LocaleLanguage{"tr", 0x041F},
    LocaleLanguage{"id", 0x0421},    LocaleLanguage{"uk", 0x0422},
    LocaleLanguage{"sl", 0x0424},    LocaleLanguage{"et", 0x0425},
    LocaleLanguage{"lv", 0x0426},    LocaleLanguage{"lt", 0x0427},
    LocaleLanguage{"vi", 0x042A},    LocaleLanguage{"hi", 0x0439},
    LocaleLanguage{"ms", 0x043E},    LocaleLanguage{"zh", 0x0804},
    LocaleLanguage{"zh_CN", 0x0804}, LocaleLanguage{"zh_TW", 0x0404},
    LocaleLanguage{"zh_HK", 0x0C04}, LocaleLanguage{"zh_SG", 0x1004},
    LocaleLanguage{"zh_MO", 0x1404},
};

std::optional<uint16_t> Lookup(std::string_view locale) {
    for (const auto& entry : kLocaleLanguages) {
        if (entry.locale == locale) {
            return entry.id;
        }
    }
    return std::nullopt;
}

}  // namespace

uint16_t LanguageIdFromLocale(std::string_view locale) {
    // "ll_CC.codeset@modifier": only language and country matter.
    locale = locale.substr(0, locale.find_first_of(".@"));
    std::string_view language = locale.substr(0, locale.find('_'));
    if (auto id = Lookup(locale)) {
        return *id;
    }
    return Lookup(language).value_or(kEnglishUnitedStates);
}

uint16_t SystemDefaultLanguageId() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') {
            return LanguageIdFromLocale(value);
        }
    }
    return kEnglishUnitedStates;
}

}  // namespace tessel
