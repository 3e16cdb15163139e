#include "text/LanguageChoice.h"

#include <string_view>

#include "platform/PrivateProfile.h"
#include "platform/Registry.h"
#include "platform/SystemLanguage.h"
#include "text/SupportedLanguages.h"

namespace tessel {
namespace {

constexpr std::u16string_view kProductKey = u"Software\\Zerkon_PX5";
constexpr std::u16string_view kLanguageValue = u"dwLanguageId";

}  // namespace

LanguageChoice::LanguageChoice(Registry& registry, SystemLanguageSource systemLanguage)
    : registry_(registry),
      systemLanguage_(systemLanguage ? std::move(systemLanguage) : SystemDefaultLanguageId) {}

std::uint32_t LanguageChoice::LanguageId() const {
    const std::uint32_t id = StoredOrChosenLanguageId();
    // INI files without BOM that are not UTF-8 are in this language's code page.
    SetPrivateProfileLanguage(static_cast<std::uint16_t>(id));
    return id;
}

std::uint32_t LanguageChoice::StoredOrChosenLanguageId() const {
    const std::optional<std::uint32_t> stored = registry_.ReadDword(kProductKey, kLanguageValue);
    if (!stored) {
        registry_.WriteDword(kProductKey, kLanguageValue, 0);
    } else if (*stored != 0) {
        return *stored;
    }
    const std::uint16_t wanted = MapSystemLanguage(systemLanguage_());
    // The map sends every Spanish variant to 0x040A, which has no file; the
    // Spanish file (0x0C0A) serves them better than the fallback language.
    const std::uint32_t chosen = SupportedLanguageIndex(wanted)
                                     ? wanted
                                     : SupportedRegionalForm(wanted).value_or(kFallbackLanguageId);
    registry_.WriteDword(kProductKey, kLanguageValue, chosen);
    return chosen;
}

int LanguageChoice::LanguageIndex() const {
    return SupportedLanguageIndex(LanguageId()).value_or(0);
}

void LanguageChoice::SetLanguageIndex(int index) {
    registry_.WriteDword(kProductKey, kLanguageValue, SupportedLanguageId(index));
}

}  // namespace tessel
