#pragma once
// "--app-profile" from a terminal: handed to the running instance when there
// is one, so it follows the new rules at once; otherwise carried out on the
// settings file by this process, holding the single-instance mutex.

#include "app/CommandLine.h"
#include "app/ProgramPaths.h"

namespace tessel {

// The exit status: 0 done, 1 failed (one line on standard error).
int RunAppProfileCommand(const AppProfileRequest& request, const ProgramPaths& paths);

}  // namespace tessel
