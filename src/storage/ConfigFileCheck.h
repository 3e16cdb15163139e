#pragma once
// Reading a configuration file for a command that must say why it refuses one:
// missing, unreadable, too short, a damaged header or cut short.

#include <filesystem>
#include <string>
#include <variant>

#include "storage/ConfigFile.h"

namespace tessel {

// The decoded file, or why it is not one the program can load (a phrase that
// fits after "FILE: ").
std::variant<Configuration, std::string> ReadConfigFileExplained(const std::filesystem::path& path);

}  // namespace tessel
