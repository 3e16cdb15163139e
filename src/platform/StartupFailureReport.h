#pragma once
// Why the program could not start: one line on standard error always, and a
// message box as well while a prompter is set (a display a user looks at, not
// a screenshot run or an offscreen platform, where nobody could answer it).

#include <string>
#include <string_view>

namespace tessel {

class Prompter;

// `prompter` must outlive its registration; nullptr turns the box off.
void SetStartupFailurePrompter(Prompter* prompter);
void ReportStartupFailure(const std::string& reason);

// Qt platforms where a message box reaches no user.
bool PlatformHasAUser(std::string_view platformName);

}  // namespace tessel
