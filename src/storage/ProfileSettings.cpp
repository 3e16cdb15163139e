#include "storage/ProfileSettings.h"

#include "text/SafeFormat.h"

namespace tessel {
namespace {

constexpr std::u16string_view kFlipName = u"Flip";
constexpr std::u16string_view kRowPrefix = u"PROFILE";

std::u16string RowName(std::size_t row) {
    return SafeFormat(u"%s%02d", {kRowPrefix, static_cast<unsigned long long>(row)});
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
    return ReadSwitch(kFlipName) ? 1 : 0;
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
