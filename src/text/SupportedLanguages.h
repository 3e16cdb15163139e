#pragma once
// The languages the program has files for, and how a system language maps to
// one of them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tessel {

inline constexpr std::size_t kSupportedLanguageCount = 10;
inline constexpr std::uint16_t kFallbackLanguageId = 2052;  // Simplified Chinese

// Identifier of supported language `index`; an index of 10 or more (or
// negative) counts as 0.
std::uint16_t SupportedLanguageId(int index);
// Position of `languageId` among supported languages 0 to 8.
std::optional<int> SupportedLanguageIndex(std::uint32_t languageId);
// The first supported language (0 to 8) of the same primary language as
// `languageId`, in another regional form.
std::optional<std::uint16_t> SupportedRegionalForm(std::uint16_t languageId);
// The system-language map (first match); identifiers not in it come back as they are.
std::uint16_t MapSystemLanguage(std::uint16_t systemLanguageId);
// "Lang%04X.ini" for the identifier of supported language `index`.
std::u16string LanguageFileName(int index);

}  // namespace tessel
