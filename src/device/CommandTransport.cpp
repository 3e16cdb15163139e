#include "device/CommandTransport.h"

#include <algorithm>
#include <array>
#include <thread>

#include "device/CallCheck.h"
#include "device/CommandFrame.h"
#include "device/DeviceEvents.h"
#include "device/DeviceResult.h"

namespace tessel {
namespace {

std::array<uint8_t, kCommandFrameSize> PaddedFrame(std::span<const uint8_t> bytes) {
    std::array<uint8_t, kCommandFrameSize> frame{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), frame.size()), frame.begin());
    return frame;
}

thread_local TransferSequence* t_sequence = nullptr;

}  // namespace

TransferSequence::TransferSequence()
    : outer_(t_sequence), removalsAtStart_(DeviceEventRouter::Instance().Removals()) {
    t_sequence = this;
}

TransferSequence::~TransferSequence() {
    t_sequence = outer_;
}

void TransferSequence::NoteResult(int result) {
    TransferSequence* sequence = t_sequence;
    if (sequence && result != kDeviceDone && !sequence->Failed()) {
        sequence->firstFailure_ = result;
    }
}

TransferSequence* TransferSequence::Current() {
    return t_sequence;
}

int CommandTransport::Transact(std::span<const uint8_t> request, std::span<uint8_t> reply,
                               std::size_t& receivedLength) {
    receivedLength = 0;
    TransferSequence* sequence = TransferSequence::Current();
    if (sequence && sequence->Failed())
        return sequence->firstFailure_;
    std::lock_guard transaction(transactionLock_);
    if (service_.CommandChannelDeviceCount() <= 0) {
        TransferSequence::NoteResult(kDeviceAbsent);
        return kDeviceAbsent;
    }

    const std::array<uint8_t, kCommandFrameSize> frame = PaddedFrame(request);
    const uint32_t check = CallCheckValue(kCommandChannel, 0, 0, frame);
    const uint8_t command = frame[CommandFrame::kCommandAt];

    for (int tries = 1;; ++tries) {
        // The keyboard went away since the sequence began: whatever is
        // attached now missed the start of it.
        if (sequence && DeviceEventRouter::Instance().Removals() != sequence->removalsAtStart_) {
            TransferSequence::NoteResult(kDeviceAbsent);
            return kDeviceAbsent;
        }
        replySlot_.Publish(reply);
        if (service_.WriteCommandFrame(frame, check) <= 0) {
            replySlot_.Withdraw();
            TransferSequence::NoteResult(kDeviceRefused);
            return kDeviceRefused;
        }
        if (replySlot_.WaitForReply(timing_.replyWait)) {
            const std::size_t received = replySlot_.ReceivedLength();
            const TryOutcome outcome = Examine(command, reply, received);
            if (outcome == TryOutcome::Accepted ||
                (outcome == TryOutcome::Busy && tries == kTransactTries)) {
                receivedLength = received;
                return kDeviceDone;
            }
        }
        if (tries == kTransactTries) {
            TransferSequence::NoteResult(kDeviceNoMatchingReply);
            return kDeviceNoMatchingReply;
        }
        std::this_thread::sleep_for(timing_.retryPause);
    }
}

CommandTransport::TryOutcome CommandTransport::Examine(uint8_t command,
                                                       std::span<const uint8_t> reply,
                                                       std::size_t receivedLength) const {
    // A reply too short to carry the echo and the status cannot match.
    if (receivedLength <= CommandFrame::kStatusAt)
        return TryOutcome::Retry;
    if (reply[CommandFrame::kCommandAt] != command)
        return TryOutcome::Retry;
    const uint8_t status = reply[CommandFrame::kStatusAt];
    if (status == kStatusBusyFF || status == kStatusBusyFE)
        return TryOutcome::Busy;
    return TryOutcome::Accepted;
}

int CommandTransport::SendNoReply(std::span<const uint8_t> frameBytes) {
    const std::array<uint8_t, kCommandFrameSize> frame = PaddedFrame(frameBytes);
    return service_.WriteCommandFrame(frame, CallCheckValue(kCommandChannel, 0, 0, frame));
}

}  // namespace tessel
