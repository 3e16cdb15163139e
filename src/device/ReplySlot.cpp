#include "device/ReplySlot.h"

#include <algorithm>

namespace tessel {

void ReplySlot::Publish(std::span<uint8_t> destination) {
    std::lock_guard lock(mutex_);
    destination_ = destination;
    receivedLength_ = 0;
    signalled_ = false;
    inFlight_ = true;
}

bool ReplySlot::WaitForReply(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    const bool replied = replyEvent_.wait_for(lock, timeout, [this] { return signalled_; });
    signalled_ = false;
    inFlight_ = false;
    destination_ = {};
    return replied;
}

void ReplySlot::Withdraw() {
    std::lock_guard lock(mutex_);
    inFlight_ = false;
    destination_ = {};
}

std::size_t ReplySlot::ReceivedLength() {
    std::lock_guard lock(mutex_);
    return receivedLength_;
}

void ReplySlot::HandOffReply(std::span<const uint8_t> report) {
    {
        std::lock_guard lock(mutex_);
        if (!inFlight_)
            return;
        receivedLength_ = std::min(report.size(), destination_.size());
        std::copy_n(report.begin(), receivedLength_, destination_.begin());
        signalled_ = true;
    }
    replyEvent_.notify_one();
}

}  // namespace tessel
