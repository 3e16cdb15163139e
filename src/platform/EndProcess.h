#pragma once

namespace tessel {

// Ends the process at once with `exitCode`, like ExitProcess: no more window
// handling and no destructors of static objects.
[[noreturn]] void EndProcess(int exitCode);

}  // namespace tessel
