#include "platform/OnScreenKeyboard.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/FindProcess.h"
#include "platform/ShellOpen.h"

namespace tessel {

namespace {

constexpr std::array<std::string_view, 2> kKeyboards{"onboard", "florence"};

}  // namespace

bool OpenOnScreenKeyboard() {
    for (std::string_view keyboard : kKeyboards) {
        // Both are scripts: their interpreter is the executable, their own
        // name is the command name.
        if (FindProcessByCommandName(keyboard) != 0) {
            return true;
        }
    }
    for (std::string_view keyboard : kKeyboards) {
        const std::filesystem::path program = FindProgramOnPath(keyboard);
        if (!program.empty()) {
            return ShellOpen(program, u"", {}, ShowCommand::Normal) > 32;
        }
    }
    return false;
}

}  // namespace tessel
