#pragma once
// Where the library's thread leaves the reply for the one transaction that
// waits for it. Reports that arrive while no transaction waits are dropped.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

#include "device/DeviceEvents.h"

namespace tessel {

class ReplySlot final : public CommandReplySink {
public:
    // Publishes the reply destination, resets the reply event and marks a
    // transaction in flight.
    void Publish(std::span<uint8_t> destination);
    // true when a reply arrived within the timeout. Either way the flight
    // ends here: later reports are dropped and the destination is no longer
    // written, so the caller may examine or release it.
    bool WaitForReply(std::chrono::milliseconds timeout);
    // Ends a flight whose frame was never sent.
    void Withdraw();
    // Bytes copied by the last hand-off.
    std::size_t ReceivedLength();

    // On the library's thread: copy the report, cut to the destination's
    // capacity, and signal the reply event.
    void HandOffReply(std::span<const uint8_t> report) override;

private:
    std::mutex mutex_;
    std::condition_variable replyEvent_;
    bool signalled_ = false;
    bool inFlight_ = false;
    std::span<uint8_t> destination_;
    std::size_t receivedLength_ = 0;
};

}  // namespace tessel
