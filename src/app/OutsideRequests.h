#pragma once
// Which requests the main window takes from other processes: the open and
// kill requests, and the two window commands other programs give it. Anything
// else that arrives at the request endpoint is dropped unanswered.

#include "platform/WindowRequest.h"

namespace tessel {

bool IsOutsideRequest(const WindowRequest& request);

}  // namespace tessel
