#include "storage/ColourFiles.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/PrivateProfile.h"
#include "platform/RegularFile.h"
#include "text/SafeFormat.h"

namespace tessel {
namespace {

constexpr std::u16string_view kPresentModeSection = u"PRESENTMODE";
constexpr std::u16string_view kPresentModeKey = u"mode";
constexpr std::u16string_view kModeNameSection = u"MODENAME";
constexpr std::u16string_view kToolKey = u"tool";
constexpr std::u16string_view kLinkedColourKey = u"jcolor";
constexpr std::u16string_view kPlainColourKey = u"color";
constexpr std::u16string_view kNoColour = u"0,0,0";
constexpr std::u16string_view kDefaultSlot = u"255,0,0,1";
// Mode names hold up to 260 characters.
constexpr std::size_t kNameBufferSize = 261;
constexpr std::size_t kValueBufferSize = 64;

std::u16string Decimal(int value) {
    return SafeFormat(u"%d", {value});
}

std::u16string ModeSection(int mode) {
    return SafeFormat(u"Mode%d", {mode});
}

// Reads up to `count` comma-separated decimal numbers; missing ones stay 0.
template <std::size_t N>
std::array<int, N> ParseNumbers(std::u16string_view text) {
    std::array<int, N> numbers{};
    std::size_t position = 0;
    for (std::size_t i = 0; i < N && position <= text.size(); ++i) {
        while (position < text.size() && text[position] == u' ') {
            ++position;
        }
        bool negative = false;
        if (position < text.size() && (text[position] == u'-' || text[position] == u'+')) {
            negative = text[position] == u'-';
            ++position;
        }
        long long value = 0;
        while (position < text.size() && text[position] >= u'0' && text[position] <= u'9') {
            value = std::min<long long>(value * 10 + (text[position] - u'0'), 1'000'000'000);
            ++position;
        }
        numbers[i] = static_cast<int>(negative ? -value : value);
        const auto comma = text.find(u',', position);
        if (comma == std::u16string_view::npos) {
            break;
        }
        position = comma + 1;
    }
    return numbers;
}

uint8_t ColourByte(int value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

ColourRef ParseColour(std::u16string_view text) {
    const auto rgb = ParseNumbers<3>(text);
    return MakeColourRef(ColourByte(rgb[0]), ColourByte(rgb[1]), ColourByte(rgb[2]));
}

std::u16string FormatColour(ColourRef colour) {
    return SafeFormat(u"%d,%d,%d", {int{RedOf(colour)}, int{GreenOf(colour)}, int{BlueOf(colour)}});
}

}  // namespace

ColourFiles::ColourFiles(std::filesystem::path skinsFolder)
    : skinsFolder_(std::move(skinsFolder)) {}

std::filesystem::path ColourFiles::FileOf(int profile) const {
    return skinsFolder_ / SafeFormat(u"%s%d%s", {u"UserDengColor_", profile, u".userd"});
}

int ColourFiles::ReadPresentMode(int profile) const {
    const auto text = GetPrivateProfileString(kPresentModeSection, kPresentModeKey, u"0",
                                              kValueBufferSize, FileOf(profile));
    const int mode = ParseNumbers<1>(text)[0];
    return mode >= 0 && mode < kCustomModeCount ? mode : 0;
}

bool ColourFiles::WritePresentMode(int profile, int mode) {
    return WritePrivateProfileString(kPresentModeSection, kPresentModeKey, Decimal(mode),
                                     FileOf(profile));
}

std::u16string ColourFiles::ReadModeName(int profile, int mode) const {
    return GetPrivateProfileString(kModeNameSection, Decimal(mode), u"0", kNameBufferSize,
                                   FileOf(profile));
}

bool ColourFiles::WriteModeName(int profile, int mode, std::u16string_view name) {
    // A line break would end the value early and start a stray line in the file.
    std::u16string oneLine(name.substr(0, kNameBufferSize - 1));
    std::replace_if(
        oneLine.begin(), oneLine.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
    return WritePrivateProfileString(kModeNameSection, Decimal(mode), oneLine, FileOf(profile));
}

ModeTools ColourFiles::ReadModeTools(int profile, int mode) const {
    const auto file = FileOf(profile);
    const auto section = ModeSection(mode);
    ModeTools tools;
    tools.tool = ParseNumbers<1>(GetPrivateProfileString(section, kToolKey, u"0", kValueBufferSize,
                                                         file))[0] == 1
                     ? 1
                     : 0;
    tools.linkedColour = ParseColour(
        GetPrivateProfileString(section, kLinkedColourKey, kNoColour, kValueBufferSize, file));
    tools.plainColour = ParseColour(
        GetPrivateProfileString(section, kPlainColourKey, kNoColour, kValueBufferSize, file));
    return tools;
}

bool ColourFiles::WriteModeTools(int profile, int mode, const ModeTools& tools) {
    const auto file = FileOf(profile);
    const auto section = ModeSection(mode);
    const bool tool = WritePrivateProfileString(section, kToolKey, Decimal(tools.tool), file);
    const bool linked = WritePrivateProfileString(section, kLinkedColourKey,
                                                  FormatColour(tools.linkedColour), file);
    const bool plain =
        WritePrivateProfileString(section, kPlainColourKey, FormatColour(tools.plainColour), file);
    return tool && linked && plain;
}

KeyColourEntry ColourFiles::ReadSlotColour(int profile, int mode, int slot) const {
    const auto text = GetPrivateProfileString(ModeSection(mode), Decimal(slot), kDefaultSlot,
                                              kValueBufferSize, FileOf(profile));
    const auto values = ParseNumbers<4>(text);
    return {MakeColourRef(ColourByte(values[0]), ColourByte(values[1]), ColourByte(values[2])),
            values[3] != 0};
}

bool ColourFiles::WriteSlotColour(int profile, int mode, int slot, const KeyColourEntry& entry) {
    const auto value =
        SafeFormat(u"%d,%d,%d,%d", {int{RedOf(entry.colour)}, int{GreenOf(entry.colour)},
                                    int{BlueOf(entry.colour)}, entry.linked ? 1 : 0});
    return WritePrivateProfileString(ModeSection(mode), Decimal(slot), value, FileOf(profile));
}

ColourFileCopy ColourFiles::CopyColourFile(int fromProfile, int toProfile) const {
    if (fromProfile == toProfile) {
        return std::filesystem::exists(FileOf(fromProfile)) ? ColourFileCopy::Copied
                                                            : ColourFileCopy::NoSource;
    }
    RegularFileRead read = ReadRegularFile(FileOf(fromProfile), kLargestIniFile);
    if (!read.ok) {
        if (!read.missing) {
            ReportUnreadableFile(FileOf(fromProfile), read.error);
        }
        return ColourFileCopy::NoSource;
    }
    const std::vector<uint8_t> bytes = std::move(read.bytes);
    return WriteFileAtomically(FileOf(toProfile), bytes) ? ColourFileCopy::Copied
                                                         : ColourFileCopy::NotWritten;
}

}  // namespace tessel
