#pragma once
// A window's dispatch table: which handler answers which message.

#include <functional>
#include <map>

#include "platform/WindowRequest.h"

namespace tessel {

class MessageMap {
public:
    using Handler = std::function<intptr_t(uintptr_t wParam, intptr_t lParam)>;

    // A later handler for the same message replaces the earlier one.
    void On(uint32_t message, Handler handler);
    bool Handles(uint32_t message) const;
    // The handler's result, or 0 when no handler takes the message.
    intptr_t Dispatch(const WindowRequest& request) const;

private:
    std::map<uint32_t, Handler> m_handlers;
};

}  // namespace tessel
