#include "app/OutsideRequests.h"

#include "platform/MainWindowRequests.h"

namespace tessel {

bool IsOutsideRequest(const WindowRequest& request) {
    switch (request.message) {
        case kOpenMessage:
        case kKillMessage:
            return true;
        case kCommandMessage:
            return request.wParam == kCommandUpdate || request.wParam == kCommandLanguage;
        default:
            // The window's own requests (start-up, the keyboard's workers,
            // relabelling) are not for other programs to give.
            return false;
    }
}

}  // namespace tessel
