#pragma once
// The command-line options that need no display and no window: the keyboard
// commands "--backup FILE", "--restore FILE", "--profile N", and "--help",
// "--version". Each also takes its value as "--option=VALUE". And the
// application rules: "--app-profile list | set APP N | remove APP".

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "appfocus/AppProfileCommand.h"

namespace tessel {

enum class CommandKind { Help, Version, Backup, Restore, Profile, AppProfile };

struct CommandLineCommand {
    CommandKind kind = CommandKind::Help;
    std::string file;  // Backup, Restore
    int profile = 0;   // Profile: 0..3 (typed as 1..4)
    AppProfileRequest appProfile;  // AppProfile
};

struct CommandLineScan {
    // Nothing: start the program.
    std::optional<CommandLineCommand> command;
    // A command typed wrongly (a missing or bad value, two commands at once):
    // said in one line, and nothing else happens.
    std::string error;
};

CommandLineScan ScanCommandLine(std::span<const std::string> arguments);

std::string HelpText(std::string_view programName);
std::string VersionText(std::string_view programName);

}  // namespace tessel
