#pragma once
// A start that gives up says why on standard error, and also in a message box
// where a user looks at the display: never on an offscreen platform, never in
// a screenshot run, which waits for nobody.

#include <span>
#include <string>
#include <string_view>

namespace tessel {

bool StartFailureBoxWanted(std::span<const std::string> arguments, std::string_view platformName);

// Ends a start whose request the running instance did not take, once the
// QApplication exists: the reason on standard error and, where wanted, in a
// box. Returns the process's exit status.
int ReportUnreachedInstance(const std::string& reason, std::span<const std::string> arguments);

}  // namespace tessel
