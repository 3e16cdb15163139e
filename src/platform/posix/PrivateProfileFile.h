#pragma once
// Whole-file reads and atomic replacement for the INI engine.

#include <filesystem>
#include <string>
#include <string_view>

namespace tessel {

enum class FileRead { Read, Missing, Failed };

FileRead ReadProfileFile(const std::filesystem::path& file, std::string& bytes);

// Writes the bytes to a new file beside `file` and renames it over `file`, so
// readers see the old or the new content, never a part. A symbolic link is
// followed and its target replaced; an existing file keeps its permissions.
bool ReplaceProfileFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace tessel
