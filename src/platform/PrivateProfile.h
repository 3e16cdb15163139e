#pragma once
// INI files read and written the way the Windows private-profile functions do:
// sections and keys compared without case, the first match wins, the default
// when absent, a value cut to the caller's buffer, "=v" is the key "". CR, LF
// and CR LF each end a line. Reads UTF-8 and UTF-16LE with BOM, and a file
// without BOM as UTF-8 when it is valid UTF-8, else in the legacy code page of
// the current language. A write keeps the rest of the file byte for byte, its
// line ends and its encoding; a value its code page cannot hold turns the file
// into UTF-16LE with BOM. New files are UTF-8 with CR LF line ends.
//
// Parsed files are cached per path and re-read when the file changes on disk,
// so a lookup is cheap and still sees a change made a moment before.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessel {

// The value of `key` in `section`, or `defaultValue` (trailing blanks removed)
// when the file, section or key is absent. An empty value is returned as empty.
// The result holds at most bufferSize - 1 UTF-16 units (the buffer keeps room
// for a terminator); bufferSize 0 gives an empty text. Surrounding blanks of a
// value are dropped, and one pair of matching quotes around it is removed.
std::u16string GetPrivateProfileString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue, std::size_t bufferSize,
                                       const std::filesystem::path& file);

// Sets `key` in `section` to `value`, creating the file, the section or the key
// as needed. The file is replaced atomically. False when it cannot be written
// or when section or key is empty or holds a line break.
bool WritePrivateProfileString(std::u16string_view section, std::u16string_view key,
                               std::u16string_view value, const std::filesystem::path& file);

// The lines of the first section of that name as they stand, blanks around
// them dropped, without empty lines and comments; empty when it is absent.
std::vector<std::u16string> GetPrivateProfileSection(std::u16string_view section,
                                                     const std::filesystem::path& file);

// Replaces every section of that name by one at the end of the file that holds
// `entries` (key, value) in their order; no entries removes the section. The
// rest of the file is kept and the file is replaced atomically. False when it
// cannot be written or an entry cannot stand on one line.
bool WritePrivateProfileSection(
    std::u16string_view section,
    const std::vector<std::pair<std::u16string, std::u16string>>& entries,
    const std::filesystem::path& file);

// The language whose legacy code page files without BOM that are not UTF-8 are
// read and written in: 936 for 0x0804, 950 for 0x0404, 949 for 0x0412, 1252
// for every other language and until a language is set.
void SetPrivateProfileLanguage(std::uint16_t languageId);

}  // namespace tessel
