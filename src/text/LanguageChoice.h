#pragma once
// Which language the program speaks: the Windows language identifier stored as
// "dwLanguageId" under Software\Zerkon_PX5, chosen from the system language the
// first time, and its position among the supported languages.

#include <cstdint>
#include <functional>

namespace tessel {

class Registry;

class LanguageChoice {
public:
    using SystemLanguageSource = std::function<std::uint16_t()>;

    // `systemLanguage` defaults to the platform's SystemDefaultLanguageId.
    explicit LanguageChoice(Registry& registry, SystemLanguageSource systemLanguage = {});

    // The stored identifier; when none (or 0) is stored, one is chosen from the
    // system language and stored first.
    std::uint32_t LanguageId() const;
    // Position of LanguageId() among the supported languages 0 to 8, else 0.
    int LanguageIndex() const;
    // Stores the identifier of supported language `index` (10 or more: 0).
    void SetLanguageIndex(int index);

private:
    std::uint32_t StoredOrChosenLanguageId() const;

    Registry& registry_;
    SystemLanguageSource systemLanguage_;
};

}  // namespace tessel
