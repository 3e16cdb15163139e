#pragma once
// Which on-board profile the keyboard takes when an application comes in
// front: one rule per application (its X11 WM_CLASS class or Wayland app id,
// matched without case), what happens for every other application, and
// whether switching is on at all. Host-only data: the keyboard only ever sees
// the profile switches that follow from it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

struct AppProfileRule {
    std::u16string application;  // as the user gave it
    int profile = 0;             // 0..3
    bool operator==(const AppProfileRule&) const = default;
};

class AppProfileRules {
public:
    // The profile for `application`: its rule's, else the one for other
    // applications; nothing means stay on the current profile.
    std::optional<int> ProfileFor(std::u16string_view application) const;

    // Adds the rule or changes the profile of an existing one (the name is
    // compared without case; blanks around it are dropped); false for an
    // empty name, one with control characters or a profile out of 0..3.
    bool Set(std::u16string_view application, int profile);
    // False when there was no such rule.
    bool Remove(std::u16string_view application);
    const std::vector<AppProfileRule>& Rules() const { return rules_; }

    bool SwitchingOn() const { return switchingOn_; }
    void SetSwitchingOn(bool on) { switchingOn_ = on; }
    // Nothing: stay on the current profile.
    std::optional<int> OtherApplications() const { return other_; }
    bool SetOtherApplications(std::optional<int> profile);

    bool operator==(const AppProfileRules&) const = default;

private:
    std::vector<AppProfileRule>::iterator Find(std::u16string_view application);
    std::vector<AppProfileRule>::const_iterator Find(std::u16string_view application) const;

    std::vector<AppProfileRule> rules_;
    std::optional<int> other_;
    bool switchingOn_ = true;
};

// Application names compare without case (ASCII and Latin-1, like the other
// names the program keeps in settings files).
bool SameApplication(std::u16string_view a, std::u16string_view b);

}  // namespace tessel
