#include "skin/qt/StartupFailure.h"

#include <cstdio>
#include <cstdlib>

namespace tessel {

void EndProcessOnStartupFailure(const std::string& reason) {
    std::fprintf(stderr, "tessel: %s\n", reason.c_str());
    std::fflush(stderr);
    // At once, like the failure paths of the device binding: nothing half-built is torn down.
    std::_Exit(kStartupFailureStatus);
}

}  // namespace tessel
