#pragma once
// A skinned window that cannot be built ends the program before any window is
// shown: the reason (on standard error, and in a message box where a user can
// see one) and a failure status.

#include <string>

namespace tessel {

inline constexpr int kStartupFailureStatus = 1;

[[noreturn]] void EndProcessOnStartupFailure(const std::string& reason);

}  // namespace tessel
