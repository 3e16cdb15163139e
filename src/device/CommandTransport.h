#pragma once
// Sends command frames and waits for the keyboard's matching reply.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

#include "device/DeviceService.h"
#include "device/ReplySlot.h"

namespace tessel {

// How long the transport waits and pauses. The product uses the defaults;
// tests may shorten the reply wait so lost replies are quick to exercise.
struct TransportTiming {
    std::chrono::milliseconds replyWait{1000};
    std::chrono::milliseconds retryPause{10};
    std::chrono::milliseconds endTransferPause{10};
};

inline constexpr int kTransactTries = 3;

// The frames one thread sends while a TransferSequence lives belong to one
// job: once a frame fails (no keyboard, refused, no matching reply, a busy
// status), every later frame of the sequence fails at once with that result,
// so a keyboard that stopped answering costs one frame's time-outs and a
// keyboard plugged in again halfway never takes the rest of a sequence whose
// start it missed. Sequences nest; an inner one is a sequence of its own.
class TransferSequence {
public:
    TransferSequence();
    ~TransferSequence();
    TransferSequence(const TransferSequence&) = delete;
    TransferSequence& operator=(const TransferSequence&) = delete;

    bool Failed() const { return firstFailure_ != kSequenceIntact; }
    // The result of the first frame that failed.
    int FirstFailure() const { return firstFailure_; }
    // A failed result of the current thread's sequence, if there is one.
    static void NoteResult(int result);

private:
    friend class CommandTransport;
    static TransferSequence* Current();

    static constexpr int kSequenceIntact = 1;

    TransferSequence* outer_;
    uint64_t removalsAtStart_;
    int firstFailure_ = kSequenceIntact;
};

class CommandTransport {
public:
    CommandTransport(DeviceService& service, ReplySlot& replySlot)
        : service_(service), replySlot_(replySlot) {}

    // Sends the request (zero-padded or cut to 64 bytes) and waits for a reply
    // that echoes its command number, up to three tries. Returns 1 with the
    // reply copied (a busy status on the third try stays in the reply for the
    // caller to see), 0 without a keyboard, -1 when the library refuses the
    // frame, -2 without a matching reply. One transaction at a time.
    int Transact(std::span<const uint8_t> request, std::span<uint8_t> reply,
                 std::size_t& receivedLength);
    // Writes the frame once without waiting; the library's result (> 0 sent).
    int SendNoReply(std::span<const uint8_t> frame);

    const TransportTiming& Timing() const { return timing_; }
    void SetTiming(const TransportTiming& timing) { timing_ = timing; }

private:
    enum class TryOutcome { Accepted, Busy, Retry };
    TryOutcome Examine(uint8_t command, std::span<const uint8_t> reply,
                       std::size_t receivedLength) const;

    DeviceService& service_;
    ReplySlot& replySlot_;
    TransportTiming timing_;
    // Two transactions never share the reply slot.
    std::mutex transactionLock_;
};

}  // namespace tessel
