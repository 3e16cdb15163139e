#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>
#include <variant>

#include "app/StartSwitches.h"
#include "model/ProfileNumber.h"

#ifndef TESSEL_VERSION
#define TESSEL_VERSION "unknown"
#endif

namespace tessel {
namespace {

struct OptionInfo {
    std::string_view name;
    CommandKind kind;
    std::string_view value;  // empty: takes none
    std::string_view help;
};

constexpr std::array kOptions{
    OptionInfo{"--backup", CommandKind::Backup, "FILE",
               "write the keyboard's four profiles and its macros into FILE (a .fwc file)"},
    OptionInfo{"--restore", CommandKind::Restore, "FILE",
               "check FILE, then write its four profiles and macros to the keyboard"},
    OptionInfo{"--profile", CommandKind::Profile, "N",
               "make on-board profile N (1 to 4) the keyboard's active profile"},
    OptionInfo{"--app-profile", CommandKind::AppProfile, "list|set APP N|remove APP",
               "show the application rules, or make APP in front switch to profile N"},
    OptionInfo{"--help", CommandKind::Help, "", "show this help and end"},
    OptionInfo{"--version", CommandKind::Version, "", "show the program's version and end"},
};

// Options of the window that --help also lists; each takes a value.
constexpr std::string_view kWindowOptions =
    "  --screenshot FILE   show the window once, render it into the PNG FILE and end\n"
    "  --hover CONTROL     with --screenshot: show CONTROL (a skin entry or \"x,y\") hovered\n";
constexpr std::array<std::string_view, 4> kWindowOptionNames{"--screenshot", "--hover",
                                                             "--edit-key", "--record-macro"};

bool IsStartSwitch(std::string_view argument) {
    return std::ranges::any_of(StartSwitchTable(), [&](const StartSwitchInfo& info) {
        return std::ranges::equal(argument, info.name, [](unsigned char a, unsigned char b) {
            return std::tolower(a) == std::tolower(b);
        });
    });
}

// The words after "--app-profile" (the first may come as "--app-profile=WORD").
std::variant<AppProfileRequest, std::string> ScanAppProfile(std::span<const std::string> arguments,
                                                            std::size_t& i,
                                                            std::optional<std::string> first) {
    const auto word = [&]() -> std::optional<std::string> {
        if (first) {
            return std::exchange(first, std::nullopt);
        }
        if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("--")) {
            return arguments[++i];
        }
        return std::nullopt;
    };
    const auto action = word();
    AppProfileRequest request;
    if (action == "list") {
        return request;
    }
    if (action != "set" && action != "remove") {
        return std::string("--app-profile takes list, set APP N or remove APP") +
               (action ? ", not \"" + *action + "\"" : std::string());
    }
    const auto application = word();
    if (!application || application->empty()) {
        return "--app-profile " + *action + " needs an application name";
    }
    request.application = *application;
    if (action == "remove") {
        request.action = AppProfileAction::Remove;
        return request;
    }
    request.action = AppProfileAction::Set;
    const auto number = word();
    const auto profile = number ? ProfileOfUserNumber(*number) : std::nullopt;
    if (!profile) {
        return "--app-profile set takes a profile number from 1 to 4" +
               (number ? ", not \"" + *number + "\"" : std::string());
    }
    request.profile = *profile;
    return request;
}

}  // namespace

CommandLineScan ScanCommandLine(std::span<const std::string> arguments) {
    const auto wrong = [](std::string line) { return CommandLineScan{std::nullopt, line}; };
    CommandLineScan scan;
    bool windowOption = false;
    std::string stray;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!argument.starts_with("--")) {
            // Windows-style switches may stand anywhere; other words only
            // matter next to a command, which takes none.
            if (stray.empty() && !IsStartSwitch(argument)) {
                stray = argument;
            }
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const auto nextValue = [&]() -> std::optional<std::string> {
            if (equals != std::string_view::npos) {
                return std::string(argument.substr(equals + 1));
            }
            if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("--")) {
                return arguments[++i];
            }
            return std::nullopt;
        };
        if (std::ranges::find(kWindowOptionNames, name) != kWindowOptionNames.end()) {
            const auto value = nextValue();
            if (!value || value->empty()) {
                return wrong(std::string(name) + " needs a value");
            }
            windowOption = true;
            continue;
        }
        const auto option = std::ranges::find(kOptions, name, &OptionInfo::name);
        if (option == kOptions.end()) {
            return wrong("unknown option \"" + std::string(argument) + "\"");
        }
        if (scan.command) {
            return wrong("give one command at a time, not " + std::string(option->name) +
                         " as well");
        }
        CommandLineCommand command{option->kind, {}, 0, {}};
        if (option->kind == CommandKind::AppProfile) {
            auto request =
                ScanAppProfile(arguments, i,
                               equals == std::string_view::npos
                                   ? std::nullopt
                                   : std::optional<std::string>(argument.substr(equals + 1)));
            if (auto* line = std::get_if<std::string>(&request)) {
                return wrong(*line);
            }
            command.appProfile = std::get<AppProfileRequest>(request);
        } else if (option->value.empty()) {
            if (equals != std::string_view::npos) {
                return wrong(std::string(option->name) + " takes no value");
            }
        } else {
            const auto value = nextValue();
            if (!value || value->empty()) {
                std::string line =
                    std::string(option->name) + " needs " +
                    (option->kind == CommandKind::Profile ? "a profile number from 1 to 4"
                                                          : "a file name");
                if (i + 1 < arguments.size() && equals == std::string_view::npos) {
                    line += ", not the option " + arguments[i + 1];
                }
                return wrong(line);
            }
            if (option->kind == CommandKind::Profile) {
                const auto profile = ProfileOfUserNumber(*value);
                if (!profile) {
                    return wrong("--profile takes a number from 1 to 4, not \"" + *value + "\"");
                }
                command.profile = *profile;
            } else {
                command.file = *value;
            }
        }
        scan.command = std::move(command);
    }
    if (scan.command && windowOption) {
        return wrong("the window options do not go with a keyboard command");
    }
    if (scan.command && !stray.empty()) {
        return wrong("unexpected argument \"" + stray + "\"");
    }
    return scan;
}

std::string HelpText(std::string_view programName) {
    std::string text = "Usage: " + std::string(programName) +
                       " [SWITCH...] | --backup FILE | --restore FILE | --profile N |\n"
                       "       --app-profile list|set APP N|remove APP\n"
                       "Configures the keyboard; without a command it runs in the tray.\n\n"
                       "Keyboard commands (no display needed; a running instance carries\n"
                       "them out, otherwise this process talks to the keyboard itself):\n";
    for (const OptionInfo& option : kOptions) {
        std::string left = std::string(option.name);
        if (!option.value.empty()) {
            left += " " + std::string(option.value);
        }
        left.resize(std::max<std::size_t>(left.size() + 1, 18), ' ');
        text += "  " + left + " " + std::string(option.help) + "\n";
    }
    text += "\nStart switches (any case, any order):\n";
    for (const StartSwitchInfo& info : StartSwitchTable()) {
        std::string left(info.name);
        left.resize(std::max<std::size_t>(left.size() + 1, 18), ' ');
        text += "  " + left + " " + std::string(info.help) + "\n";
    }
    text += "\nWindow options:\n" + std::string(kWindowOptions);
    text +=
        "\nExit status: 0 when the command was carried out, 1 when it failed,\n"
        "2 when it was typed wrongly.\n";
    return text;
}

std::string VersionText(std::string_view programName) {
    return std::string(programName) + " " + TESSEL_VERSION + "\n";
}

}  // namespace tessel
