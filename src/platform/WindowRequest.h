#pragma once
// A private window message: a message number and two parameters, answered by
// the handler's result.

#include <cstdint>

namespace tessel {

struct WindowRequest {
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

}  // namespace tessel
