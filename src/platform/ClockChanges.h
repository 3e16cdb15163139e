#pragma once
// Tells when the wall clock is set (by the user, a time service, a resume):
// what the main window hears of as a time-change message.

#include <functional>

namespace tessel {

class ClockChangeSource {
public:
    virtual ~ClockChangeSource() = default;
    // `onChange` runs on the watching thread's event loop once per change; an
    // empty function stops the watch.
    virtual void Watch(std::function<void()> onChange) = 0;
};

}  // namespace tessel
