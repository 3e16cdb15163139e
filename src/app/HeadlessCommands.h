#pragma once
// Runs a command of the command line without a display or a window. With an
// instance of the program running, a keyboard command goes to it over its
// request endpoint; otherwise this process binds the device library itself,
// holding the single-instance mutex meanwhile, so two processes never talk
// to the keyboard at once.

#include "app/CommandLine.h"
#include "app/ProgramPaths.h"

namespace tessel {

// The process's exit status: 0 done, 1 failed (one line on standard error).
int RunHeadlessCommand(const CommandLineCommand& command, const ProgramPaths& paths);

}  // namespace tessel
