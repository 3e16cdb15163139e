#include "device/OrderedTurns.h"

namespace tessel {

uint64_t OrderedTurns::DrawTicket() {
    std::lock_guard lock(mutex_);
    return nextTicket_++;
}

bool OrderedTurns::WaitForTurn(uint64_t ticket) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || serving_ == ticket; });
    return !stopped_;
}

void OrderedTurns::EndTurn(uint64_t ticket) {
    std::lock_guard lock(mutex_);
    if (serving_ == ticket)
        ++serving_;
    changed_.notify_all();
}

void OrderedTurns::Stop() {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
}

bool OrderedTurns::Stopped() const {
    std::lock_guard lock(mutex_);
    return stopped_;
}

}  // namespace tessel
