#pragma once
// The selector of Skins/language.ini as a value of each user: an installed
// program folder belongs to root, so the language command keeps the selector
// in the user's configuration folder instead, and that copy is read first.

#include <filesystem>

namespace tessel {

// <configuration folder>/tessel/language.ini.
std::filesystem::path UserLanguageSelectorFile();

// The file whose selector counts: the user's copy once it exists, else
// `languageIni`.
std::filesystem::path LanguageSelectorSource(const std::filesystem::path& languageIni);

// Stores "0" as the selector, as the language command does: in `languageIni`
// unless the user has a copy of their own or that file cannot be written,
// then in the user's copy. False when neither could be written.
bool StoreLanguageCommandSelector(const std::filesystem::path& languageIni);

}  // namespace tessel
