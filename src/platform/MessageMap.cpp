#include "platform/MessageMap.h"

namespace tessel {

void MessageMap::On(uint32_t message, Handler handler) {
    m_handlers[message] = std::move(handler);
}

bool MessageMap::Handles(uint32_t message) const {
    return m_handlers.contains(message);
}

intptr_t MessageMap::Dispatch(const WindowRequest& request) const {
    auto handler = m_handlers.find(request.message);
    if (handler == m_handlers.end() || !handler->second) {
        return 0;
    }
    return handler->second(request.wParam, request.lParam);
}

}  // namespace tessel
