#include "resident/MainEvents.h"

#include <cstdio>

namespace tessel {

std::string MainEventName(int number) {
    char name[40];
    std::snprintf(name, sizeof name, "%sMain_%02d", "Tessel_Event_", number);
    return name;
}

MainEvents::~MainEvents() {
    Close();
}

void MainEvents::Create() {
    Close();
    // Only this thread touches the list until it is joined.
    m_creating = std::thread([this] {
        m_events.reserve(kMainEventCount);
        for (int number = 1; number <= kMainEventCount; ++number) {
            m_events.push_back(std::make_unique<NamedEvent>(MainEventName(number)));
        }
    });
}

void MainEvents::Close() {
    WaitUntilCreated();
    m_events.clear();
}

void MainEvents::WaitUntilCreated() const {
    if (m_creating.joinable()) {
        m_creating.join();
    }
}

std::size_t MainEvents::OpenCount() const {
    WaitUntilCreated();
    std::size_t open = 0;
    for (const auto& event : m_events) {
        open += event->IsOpen() ? 1 : 0;
    }
    return open;
}

}  // namespace tessel
