#include "appfocus/AppProfileCommand.h"

#include "appfocus/AppProfileSettings.h"
#include "platform/Utf8.h"

namespace tessel {
namespace {

std::string ProfileText(int profile) {
    return "profile " + std::to_string(profile + 1);
}

std::string Listing(const AppProfileSettingsRead& read) {
    const AppProfileRules& rules = read.rules;
    std::string text = std::string("switching: ") + (rules.SwitchingOn() ? "on" : "off") + "\n";
    text += "other applications: " +
            (rules.OtherApplications() ? ProfileText(*rules.OtherApplications())
                                       : std::string("stay on the current profile")) +
            "\n";
    for (const AppProfileRule& rule : rules.Rules()) {
        text += ToUtf8(rule.application) + ": " + ProfileText(rule.profile) + "\n";
    }
    for (const std::string& problem : read.problems) {
        text += "(" + problem + ")\n";
    }
    text.pop_back();
    return text;
}

}  // namespace

intptr_t AppProfileRequestNumber(const AppProfileRequest& request) {
    return static_cast<intptr_t>(request.action) * 4 + (request.profile & 3);
}

AppProfileRequest AppProfileRequestOf(intptr_t number, std::string_view application) {
    AppProfileRequest request;
    const intptr_t action = number / 4;
    request.action = action == 1   ? AppProfileAction::Set
                     : action == 2 ? AppProfileAction::Remove
                                   : AppProfileAction::List;
    request.profile = static_cast<int>(number & 3);
    request.application = application;
    return request;
}

CommandOutcome CarryOutAppProfileRequest(const AppProfileRequest& request,
                                         const std::filesystem::path& settingsFile) {
    AppProfileSettingsRead read = ReadAppProfileRules(settingsFile);
    if (request.action == AppProfileAction::List) {
        return {true, Listing(read)};
    }
    const std::u16string application = FromUtf8(request.application);
    std::string done;
    if (request.action == AppProfileAction::Set) {
        if (!read.rules.Set(application, request.profile)) {
            return {false, "\"" + request.application + "\" cannot be an application's name"};
        }
        done = request.application + " makes " + ProfileText(request.profile) + " active";
    } else {
        if (!read.rules.Remove(application)) {
            return {false, "there is no rule for \"" + request.application + "\""};
        }
        done = "the rule for " + request.application + " is removed";
    }
    if (!WriteAppProfileRules(settingsFile, read.rules)) {
        return {false, "cannot write " + settingsFile.string()};
    }
    return {true, done};
}

}  // namespace tessel
