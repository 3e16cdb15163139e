#include "skin/CIniFile.h"

#include "platform/PrivateProfile.h"

namespace tessel {
namespace {

constexpr std::size_t kValueBuffer = 2048;

}  // namespace

std::optional<std::u16string> CIniFile::GetString(std::u16string_view section,
                                                  std::u16string_view key,
                                                  std::u16string_view defaultValue) const {
    std::u16string value = GetPrivateProfileString(section, key, defaultValue, kValueBuffer, path_);
    if (value.empty()) {
        return std::nullopt;
    }
    return value;
}

bool CIniFile::WriteString(std::u16string_view section, std::u16string_view key,
                           std::u16string_view text) const {
    return WritePrivateProfileString(section, key, text, path_);
}

}  // namespace tessel
