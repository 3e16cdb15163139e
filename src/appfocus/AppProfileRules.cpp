#include "appfocus/AppProfileRules.h"

#include <algorithm>

#include "platform/posix/IniDocument.h"

namespace tessel {
namespace {

constexpr int kProfiles = 4;

bool IsProfile(int profile) {
    return profile >= 0 && profile < kProfiles;
}

}  // namespace

bool SameApplication(std::u16string_view a, std::u16string_view b) {
    return IniNamesEqual(a, b);
}

std::vector<AppProfileRule>::iterator AppProfileRules::Find(std::u16string_view application) {
    return std::ranges::find_if(rules_, [&](const AppProfileRule& rule) {
        return SameApplication(rule.application, application);
    });
}

std::vector<AppProfileRule>::const_iterator AppProfileRules::Find(
    std::u16string_view application) const {
    return std::ranges::find_if(rules_, [&](const AppProfileRule& rule) {
        return SameApplication(rule.application, application);
    });
}

std::optional<int> AppProfileRules::ProfileFor(std::u16string_view application) const {
    const auto rule = Find(application);
    return rule != rules_.end() ? std::optional<int>(rule->profile) : other_;
}

bool AppProfileRules::Set(std::u16string_view application, int profile) {
    while (!application.empty() && (application.front() == u' ' || application.front() == u'\t')) {
        application.remove_prefix(1);
    }
    while (!application.empty() && (application.back() == u' ' || application.back() == u'\t')) {
        application.remove_suffix(1);
    }
    const bool control = std::ranges::any_of(application, [](char16_t c) { return c < u' '; });
    if (application.empty() || control || !IsProfile(profile)) {
        return false;
    }
    if (const auto rule = Find(application); rule != rules_.end()) {
        rule->profile = profile;
    } else {
        rules_.push_back({std::u16string(application), profile});
    }
    return true;
}

bool AppProfileRules::Remove(std::u16string_view application) {
    const auto rule = Find(application);
    if (rule == rules_.end()) {
        return false;
    }
    rules_.erase(rule);
    return true;
}

bool AppProfileRules::SetOtherApplications(std::optional<int> profile) {
    if (profile && !IsProfile(*profile)) {
        return false;
    }
    other_ = profile;
    return true;
}

}  // namespace tessel
