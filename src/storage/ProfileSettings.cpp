#include "storage/ProfileSettings.h"

#include <algorithm>
#include <climits>

#include "text/SafeFormat.h"

namespace tessel {
namespace {

constexpr std::u16string_view kFlipName = u"Flip";
constexpr std::u16string_view kRowPrefix = u"PROFILE";

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

std::u16string ProfileSettings::RecordDelayValueName(const LanguageTable& table,
                                                     const TextLookup& texts) const {
    return table.LocalisedText(TextKeyEntry::MACRO_ACTION_RECORD_DELAY, texts);
}

bool ProfileSettings::ReadRecordDelay(const LanguageTable& table, const TextLookup& texts) const {
    return ReadSwitch(RecordDelayValueName(table, texts));
}

bool ProfileSettings::WriteRecordDelay(const LanguageTable& table, const TextLookup& texts,
                                       bool record) {
    return WriteSwitch(RecordDelayValueName(table, texts), record);
}

}  // namespace tessel
