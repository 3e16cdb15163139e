#pragma once
// Conversions between the program's UTF-16 texts and UTF-8 (file contents,
// paths, environment). Malformed input never fails: each bad sequence or
// unpaired surrogate becomes U+FFFD.

#include <filesystem>
#include <string>
#include <string_view>

namespace tessel {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

inline std::filesystem::path PathFromUtf16(std::u16string_view text) {
    return std::filesystem::path(ToUtf8(text));
}
inline std::u16string PathToUtf16(const std::filesystem::path& path) {
    return FromUtf8(path.native());
}

}  // namespace tessel
