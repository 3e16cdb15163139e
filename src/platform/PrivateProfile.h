#pragma once
// INI files read and written the way the Windows private-profile functions do:
// sections and keys compared without case, the first match wins, the default
// when absent, a value cut to the caller's buffer. Reads UTF-8 (with or without
// BOM) and UTF-16LE with BOM; a write keeps the rest of the file byte for byte
// and the file's own encoding (new files are UTF-8).
//
// Parsed files are cached per path and re-read when the file changes on disk,
// so a lookup is cheap and still sees a change made a moment before.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

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

}  // namespace tessel
