#pragma once
// The 208 named events "Tessel_Event_Main_01" to "Tessel_Event_Main_208" that
// exist while the program runs. Nothing waits on them or sets them; other
// programs may look for them.

#include "platform/NamedEvent.h"

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace tessel {

inline constexpr int kMainEventCount = 208;

std::string MainEventName(int number);

class MainEvents {
public:
    ~MainEvents();
    // Made on a thread of their own: a few milliseconds of files in shared
    // memory that nothing waits for, the start included.
    void Create();
    void Close();
    // Once every event has been made.
    std::size_t OpenCount() const;

private:
    void WaitUntilCreated() const;

    mutable std::thread m_creating;
    std::vector<std::unique_ptr<NamedEvent>> m_events;
};

}  // namespace tessel
