#include "skin/qt/StartupFailure.h"

#include <cstdlib>

#include "platform/StartupFailureReport.h"

namespace tessel {

void EndProcessOnStartupFailure(const std::string& reason) {
    ReportStartupFailure(reason);
    // At once, like the failure paths of the device binding: nothing half-built is torn down.
    std::_Exit(kStartupFailureStatus);
}

}  // namespace tessel
