#pragma once
// One INI file, read and written by key.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tessel {

class CIniFile {
public:
    explicit CIniFile(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& Path() const { return path_; }

    // The value, or the default when absent (at most 2047 units); nothing when
    // the text read is empty.
    std::optional<std::u16string> GetString(std::u16string_view section, std::u16string_view key,
                                            std::u16string_view defaultValue = {}) const;
    bool WriteString(std::u16string_view section, std::u16string_view key,
                     std::u16string_view text) const;

private:
    std::filesystem::path path_;
};

}  // namespace tessel
