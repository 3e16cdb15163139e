#pragma once
// The program's values in section "PROFILES" of its per-user settings: the
// main window's flip switch, the scene-mode manager's file rows and the macro
// recorder's delay option, whose value name is a localised text and so follows
// the language.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"
#include "text/LanguageTable.h"
#include "text/TextLookup.h"

namespace tessel {

inline constexpr std::u16string_view kProfilesSettingsKey =
    u"Software\\Tessel_Quarnet\\Nerova PX5-RGB Keyboard\\PROFILES";

class ProfileSettings {
public:
    explicit ProfileSettings(Registry& registry) : registry_(registry) {}

    // The number the value starts with ("%d"); absent or not a number reads as
    // 0. Every value other than 0 means flipped.
    int ReadFlip() const;
    // Any value but 1 is stored as 0.
    bool WriteFlip(int flip);

    // "PROFILE01", "PROFILE02", ... hold the paths, "PROFILE00" their number.
    bool WriteSceneRows(const std::vector<std::u16string>& paths);

    std::u16string RecordDelayValueName(const LanguageTable& table, const TextLookup& texts) const;
    bool ReadRecordDelay(const LanguageTable& table, const TextLookup& texts) const;
    bool WriteRecordDelay(const LanguageTable& table, const TextLookup& texts, bool record);

private:
    bool ReadSwitch(std::u16string_view name) const;
    bool WriteSwitch(std::u16string_view name, bool on);

    Registry& registry_;
};

}  // namespace tessel
