#pragma once
// The user's language as a Windows language identifier, taken from the
// locale environment (LC_ALL, LC_MESSAGES, LANG): en_AU gives 0x0C09,
// zh_CN 0x0804, de_DE 0x0407; C, POSIX or an unknown locale give 0x0409.

#include <cstdint>
#include <string_view>

namespace tessel {

uint16_t SystemDefaultLanguageId();
// The identifier of one locale name such as "de_DE.UTF-8" or "fr".
uint16_t LanguageIdFromLocale(std::string_view locale);

}  // namespace tessel
