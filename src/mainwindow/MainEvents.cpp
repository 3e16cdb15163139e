#include "mainwindow/MainEvents.h"

#include <cstdio>

namespace tessel {

std::string MainEventName(int number) {
    char name[40];
    std::snprintf(name, sizeof name, "%sMain_%02d", "Tessel_Event_", number);
    return name;
}

void MainEvents::Create() {
    Close();
    m_events.reserve(kMainEventCount);
    for (int number = 1; number <= kMainEventCount; ++number) {
        m_events.push_back(std::make_unique<NamedEvent>(MainEventName(number)));
    }
}

void MainEvents::Close() {
    m_events.clear();
}

std::size_t MainEvents::OpenCount() const {
    std::size_t open = 0;
    for (const auto& event : m_events) {
        open += event->IsOpen() ? 1 : 0;
    }
    return open;
}

}  // namespace tessel
