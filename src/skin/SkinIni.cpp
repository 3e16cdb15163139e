#include "skin/SkinIni.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>

#include "platform/PrivateProfile.h"
#include "platform/RegularFile.h"

namespace tessel {
namespace {

constexpr std::size_t kRectBuffer = 260;
constexpr std::size_t kPictureNameBuffer = 2048;
constexpr std::size_t kLinkBuffer = 261;
constexpr std::size_t kCaptionBuffer = 261;
constexpr int kMissingNumber = 1;

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

// One "%d": blanks, an optional sign, at least one digit. Values beyond int
// are clamped instead of wrapping.
bool ScanInt(std::u16string_view text, std::size_t& pos, int& value) {
    std::size_t i = pos;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    const std::size_t digitsStart = i;
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - u'0'), 1LL << 32);
    }
    if (i == digitsStart) {
        return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    value = static_cast<int>(std::clamp<long long>(signedValue, INT_MIN, INT_MAX));
    pos = i;
    return true;
}

}  // namespace

SkinRect ParseSkinRect(std::u16string_view value) {
    std::array<int, 4> numbers = {kMissingNumber, kMissingNumber, kMissingNumber, kMissingNumber};
    std::size_t pos = 0;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            if (pos >= value.size() || value[pos] != u',') {
                break;
            }
            ++pos;
        }
        if (!ScanInt(value, pos, numbers[i])) {
            break;
        }
    }
    return SkinRect{numbers[0], numbers[1], numbers[2], numbers[3]};
}

SkinRect ReadSkinRect(const std::filesystem::path& ini, std::u16string_view section,
                      std::u16string_view key) {
    return ParseSkinRect(
        GetPrivateProfileString(section, key, kMissingRectEntry, kRectBuffer, ini));
}

PictureOffset ReadPictureOffset(const std::filesystem::path& ini, std::u16string_view section,
                                std::u16string_view key) {
    const SkinRect rect = ReadSkinRect(ini, section, key);
    return PictureOffset{rect.left, rect.top};
}

std::u16string ArrowOffsetKey(std::u16string_view baseName, int arrowIndex) {
    const std::string number = std::to_string(arrowIndex + 1);
    return std::u16string(baseName) + std::u16string(number.begin(), number.end());
}

ScreenPictures ReadScreenPictures(const std::filesystem::path& ini) {
    ScreenPictures pictures;
    pictures.main = GetPrivateProfileString(kScreenSection, u"Main", u"", kPictureNameBuffer, ini);
    pictures.mask = GetPrivateProfileString(kScreenSection, u"Mask", u"", kPictureNameBuffer, ini);
    if (pictures.mask.empty()) {
        pictures.mask = pictures.main;
    }
    return pictures;
}

std::u16string ReadScreenLink(const std::filesystem::path& ini) {
    return GetPrivateProfileString(kScreenSection, u"Link", kDefaultSkinLink, kLinkBuffer, ini);
}

std::string SkinIniProblem(const std::filesystem::path& ini) {
    const RegularFileRead read = ReadRegularFile(ini, kLargestIniFile);
    if (read.missing) {
        return "skin file " + ini.string() + " is missing";
    }
    if (!read.ok) {
        return "cannot read " + ini.string() + ": " + read.error;
    }
    if (read.bytes.empty()) {
        return "skin file " + ini.string() + " is empty";
    }
    return {};
}

std::filesystem::path SkinFolderOf(const std::filesystem::path& ini) {
    return ini.parent_path() / "";
}

std::optional<std::u16string_view> CaptionSectionFor(int selector) {
    switch (selector) {
        case 0:
            return u"Control_Name";
        case 1:
            return u"Control_Name1";
        default:
            return std::nullopt;
    }
}

std::u16string ReadCaption(const std::filesystem::path& mainIni, std::u16string_view section,
                           std::u16string_view key) {
    return GetPrivateProfileString(section, key, u"", kCaptionBuffer, mainIni);
}

}  // namespace tessel
