#pragma once
// The program's values in section "PROFILES" of its per-user settings: the
// main window's flip switch, the scene-mode manager's file rows and the macro
// recorder's delay option.

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
    // The paths as last written; rows missing or empty are left out.
    std::vector<std::u16string> ReadSceneRows() const;

    // Kept under a fixed name. Older versions named the value with its
    // caption in the user's language: that value is read once (`table` and
    // `texts` give its name) and kept under the fixed name from then on.
    bool ReadRecordDelay(const LanguageTable& table, const TextLookup& texts);
    bool WriteRecordDelay(bool record);

private:
    bool HasValue(std::u16string_view name) const;
    bool ReadSwitch(std::u16string_view name) const;
    bool WriteSwitch(std::u16string_view name, bool on);

    Registry& registry_;
};

}  // namespace tessel
