#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "app/StartSwitches.h"
#include "device/DeviceLink.h"

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
    OptionInfo{"--help", CommandKind::Help, "", "show this help and end"},
    OptionInfo{"--version", CommandKind::Version, "", "show the program's version and end"},
};

// Options of the window that --help also lists.
constexpr std::string_view kWindowOptions =
    "  --screenshot FILE   show the window once, render it into the PNG FILE and end\n"
    "  --hover CONTROL     with --screenshot: show CONTROL (a skin entry or \"x,y\") hovered\n";

std::optional<int> ParseProfile(std::string_view text) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < 1 ||
        number > kProfileCount) {
        return std::nullopt;
    }
    return number - 1;
}

}  // namespace

CommandLineScan ScanCommandLine(std::span<const std::string> arguments) {
    CommandLineScan scan;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const std::string_view name = argument.substr(0, argument.find('='));
        const OptionInfo* option = nullptr;
        for (const OptionInfo& candidate : kOptions) {
            if (candidate.name == name) {
                option = &candidate;
            }
        }
        if (!option) {
            continue;
        }
        if (scan.command) {
            return {std::nullopt,
                    "give one command at a time, not " + std::string(option->name) + " as well"};
        }
        CommandLineCommand command{option->kind, {}, 0};
        if (!option->value.empty()) {
            std::string value;
            if (name.size() < argument.size()) {
                value = argument.substr(name.size() + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            }
            if (value.empty()) {
                return {std::nullopt,
                        std::string(option->name) + " needs " +
                            (option->kind == CommandKind::Profile ? "a profile number from 1 to 4"
                                                                  : "a file name")};
            }
            if (option->kind == CommandKind::Profile) {
                const auto profile = ParseProfile(value);
                if (!profile) {
                    return {std::nullopt,
                            "--profile takes a number from 1 to 4, not \"" + value + "\""};
                }
                command.profile = *profile;
            } else {
                command.file = std::move(value);
            }
        }
        scan.command = std::move(command);
    }
    return scan;
}

std::string HelpText(std::string_view programName) {
    std::string text = "Usage: " + std::string(programName) +
                       " [SWITCH...] | --backup FILE | --restore FILE | --profile N\n"
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
