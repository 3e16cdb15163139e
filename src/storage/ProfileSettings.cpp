#include "storage/ProfileSettings.h"

#include <algorithm>
#include <climits>

#include "text/SafeFormat.h"

namespace tessel {
namespace {

constexpr std::u16string_view kFlipName = u"Flip";
constexpr std::u16string_view kRowPrefix = u"PROFILE";
constexpr std::u16string_view kRecordDelayName = u"RecordDelay";
// More rows than any manager list holds: a damaged count reads no further.
constexpr int kMostSceneRows = 200;

std::u16string RowName(std::size_t row) {
    return SafeFormat(u"%s%02d", {kRowPrefix, static_cast<unsigned long long>(row)});
}

// The number a text starts with, as "%d" reads it: blanks, a sign, digits; 0
// when it starts with none.
int LeadingDecimal(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) {
        ++at;
    }
    const bool negative = at < text.size() && text[at] == u'-';
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        value = std::min<long long>(value * 10 + (text[at] - u'0'), INT_MAX);
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

bool ProfileSettings::HasValue(std::u16string_view name) const {
    return registry_.ReadString(kProfilesSettingsKey, name).has_value() ||
           registry_.ReadDword(kProfilesSettingsKey, name).has_value();
}

bool ProfileSettings::ReadSwitch(std::u16string_view name) const {
    if (const auto text = registry_.ReadString(kProfilesSettingsKey, name)) {
        return *text == u"1";
    }
    return registry_.ReadDword(kProfilesSettingsKey, name).value_or(0) == 1;
}

bool ProfileSettings::WriteSwitch(std::u16string_view name, bool on) {
    return registry_.WriteString(kProfilesSettingsKey, name, on ? u"1" : u"0");
}

int ProfileSettings::ReadFlip() const {
    if (const auto text = registry_.ReadString(kProfilesSettingsKey, kFlipName)) {
        return LeadingDecimal(*text);
    }
    return static_cast<int>(registry_.ReadDword(kProfilesSettingsKey, kFlipName).value_or(0));
}

bool ProfileSettings::WriteFlip(int flip) {
    return WriteSwitch(kFlipName, flip == 1);
}

bool ProfileSettings::WriteSceneRows(const std::vector<std::u16string>& paths) {
    bool written = true;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        written = registry_.WriteString(kProfilesSettingsKey, RowName(i + 1), paths[i]) && written;
    }
    const auto count = SafeFormat(u"%d", {static_cast<unsigned long long>(paths.size())});
    return registry_.WriteString(kProfilesSettingsKey, RowName(0), count) && written;
}

std::vector<std::u16string> ProfileSettings::ReadSceneRows() const {
    std::vector<std::u16string> paths;
    const auto count = registry_.ReadString(kProfilesSettingsKey, RowName(0));
    const int rows = count ? std::min(LeadingDecimal(*count), kMostSceneRows) : 0;
    for (int row = 1; row <= rows; ++row) {
        const auto path = registry_.ReadString(kProfilesSettingsKey, RowName(row));
        if (path && !path->empty()) {
            paths.push_back(*path);
        }
    }
    return paths;
}

bool ProfileSettings::ReadRecordDelay(const LanguageTable& table, const TextLookup& texts) {
    if (HasValue(kRecordDelayName)) {
        return ReadSwitch(kRecordDelayName);
    }
    const std::u16string oldName =
        table.LocalisedText(TextKeyEntry::MACRO_ACTION_RECORD_DELAY, texts);
    if (oldName.empty() || !HasValue(oldName)) {
        return false;
    }
    const bool record = ReadSwitch(oldName);
    WriteSwitch(kRecordDelayName, record);
    return record;
}

bool ProfileSettings::WriteRecordDelay(bool record) {
    return WriteSwitch(kRecordDelayName, record);
}

}  // namespace tessel
