#pragma once

#include <string_view>

namespace tessel {

// The id of the first process of the current user, other than this one, whose
// executable file name equals `fileName` without regard to case; 0 when none.
int FindProcessByFileName(std::string_view fileName);

// The same by the name the process runs under (its command name, which for a
// script is the script's file name rather than its interpreter's).
int FindProcessByCommandName(std::string_view commandName);

// Whether process `pid` belongs to the current user and runs an executable
// whose file name equals `fileName` without regard to case.
bool ProcessRunsFile(int pid, std::string_view fileName);

}  // namespace tessel
