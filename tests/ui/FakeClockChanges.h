#pragma once
// The wall clock, changed when a test says so.

#include <functional>

#include "platform/ClockChanges.h"

namespace tessel::testing {

class FakeClockChanges final : public ClockChangeSource {
public:
    void Watch(std::function<void()> onChange) override { onChange_ = std::move(onChange); }
    void ChangeClock() {
        if (onChange_) {
            onChange_();
        }
    }
    bool Watched() const { return static_cast<bool>(onChange_); }

private:
    std::function<void()> onChange_;
};

}  // namespace tessel::testing
