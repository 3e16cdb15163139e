#include "appfocus/AppProfileSettings.h"

#include <algorithm>

#include "model/ProfileNumber.h"
#include "platform/PrivateProfile.h"
#include "platform/Utf8.h"
#include "platform/posix/IniDocument.h"
#include "storage/DataFolder.h"

namespace tessel {
namespace {

constexpr std::u16string_view kSwitchingKey = u"Switching";
constexpr std::u16string_view kOtherKey = u"OtherApplications";
constexpr std::u16string_view kRulePrefix = u"Rule";
constexpr std::u16string_view kStay = u"stay";

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsRuleKey(std::u16string_view key) {
    if (key.size() <= kRulePrefix.size() ||
        !IniNamesEqual(key.substr(0, kRulePrefix.size()), kRulePrefix)) {
        return false;
    }
    for (char16_t c : key.substr(kRulePrefix.size())) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

class SectionReader {
public:
    void Read(std::u16string_view line) {
        std::u16string_view key, raw;
        if (IniDocument::Classify(line, &key, &raw) != IniDocument::LineKind::Key) {
            Skip(line, "is not a \"name=value\" entry");
            return;
        }
        const std::u16string_view value = IniValueText(raw);
        if (IniNamesEqual(key, kSwitchingKey)) {
            if (value == u"0" || value == u"1") {
                read_.rules.SetSwitchingOn(value == u"1");
            } else {
                Skip(line, "takes 0 or 1");
            }
        } else if (IniNamesEqual(key, kOtherKey)) {
            if (IniNamesEqual(value, kStay)) {
                read_.rules.SetOtherApplications(std::nullopt);
            } else if (const auto profile = ProfileOfUserNumber(ToUtf8(value))) {
                read_.rules.SetOtherApplications(profile);
            } else {
                Skip(line, "takes \"stay\" or a profile number from 1 to 4");
            }
        } else if (IsRuleKey(key)) {
            ReadRule(line, value);
        } else {
            Skip(line, "is not a setting of this section");
        }
    }
    AppProfileSettingsRead Take() { return std::move(read_); }

private:
    void ReadRule(std::u16string_view line, std::u16string_view value) {
        const std::size_t comma = value.find(u',');
        const auto profile = comma == value.npos
                                 ? std::nullopt
                                 : ProfileOfUserNumber(ToUtf8(Trimmed(value.substr(0, comma))));
        const std::u16string_view name =
            comma == value.npos ? std::u16string_view() : Trimmed(value.substr(comma + 1));
        if (!profile || name.empty()) {
            Skip(line, "is not \"profile number 1 to 4,application name\"");
        } else if (read_.rules.Rules().end() !=
                   std::ranges::find_if(read_.rules.Rules(), [&](const AppProfileRule& rule) {
                       return SameApplication(rule.application, name);
                   })) {
            Skip(line, "names an application that has a rule already");
        } else {
            read_.rules.Set(name, *profile);
        }
    }
    void Skip(std::u16string_view line, std::string_view why) {
        read_.problems.push_back("skipped \"" + ToUtf8(line) + "\": " + std::string(why));
    }

    AppProfileSettingsRead read_;
};

}  // namespace

AppProfileSettingsRead ParseAppProfileSection(const std::vector<std::u16string>& lines) {
    SectionReader reader;
    for (const std::u16string& line : lines) {
        reader.Read(line);
    }
    return reader.Take();
}

std::vector<std::pair<std::u16string, std::u16string>> AppProfileSectionEntries(
    const AppProfileRules& rules) {
    std::vector<std::pair<std::u16string, std::u16string>> entries{
        {std::u16string(kSwitchingKey), rules.SwitchingOn() ? u"1" : u"0"},
        {std::u16string(kOtherKey),
         rules.OtherApplications()
             ? std::u16string(1, static_cast<char16_t>(u'1' + *rules.OtherApplications()))
             : std::u16string(kStay)}};
    int number = 0;
    for (const AppProfileRule& rule : rules.Rules()) {
        entries.emplace_back(std::u16string(kRulePrefix) + FromUtf8(std::to_string(++number)),
                             std::u16string(1, static_cast<char16_t>(u'1' + rule.profile)) + u"," +
                                 rule.application);
    }
    return entries;
}

AppProfileSettingsRead ReadAppProfileRules(const std::filesystem::path& settingsFile) {
    return ParseAppProfileSection(GetPrivateProfileSection(kAppProfilesSection, settingsFile));
}

bool WriteAppProfileRules(const std::filesystem::path& settingsFile, const AppProfileRules& rules) {
    CreateDataFolder(settingsFile.parent_path());
    return WritePrivateProfileSection(kAppProfilesSection, AppProfileSectionEntries(rules),
                                      settingsFile);
}

}  // namespace tessel
