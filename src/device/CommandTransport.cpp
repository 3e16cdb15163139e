#include "device/CommandTransport.h"

#include <algorithm>
#include <array>
#include <thread>

#include "device/CallCheck.h"
#include "device/CommandFrame.h"
#include "device/DeviceResult.h"

namespace tessel {
namespace {

std::array<uint8_t, kCommandFrameSize> PaddedFrame(std::span<const uint8_t> bytes) {
    std::array<uint8_t, kCommandFrameSize> frame{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), frame.size()), frame.begin());
    return frame;
}

thread_local TransferSequence* t_sequence = nullptr;

std::mutex& NoticeLock() {
    static std::mutex lock;
    return lock;
}

std::function<void()>& Notice() {
    static std::function<void()> notice;
    return notice;
}

}  // namespace

TransferSequence::TransferSequence() : outer_(t_sequence) {
    t_sequence = this;
}

TransferSequence::~TransferSequence() {
    t_sequence = outer_;
    if (!failed_) {
        return;
    }
    std::function<void()> notice;
    {
        std::lock_guard lock(NoticeLock());
        notice = Notice();
    }
    if (notice) {
        notice();
    }
}

void TransferSequence::SetNoAnswerNotice(std::function<void()> notice) {
    std::lock_guard lock(NoticeLock());
    Notice() = std::move(notice);
}

TransferSequence* TransferSequence::Current() {
    return t_sequence;
}

int CommandTransport::Transact(std::span<const uint8_t> request, std::span<uint8_t> reply,
                               std::size_t& receivedLength) {
    receivedLength = 0;
    TransferSequence* sequence = TransferSequence::Current();
    if (sequence && sequence->failed_)
        return kDeviceNoMatchingReply;
    std::lock_guard transaction(transactionLock_);
    if (service_.CommandChannelDeviceCount() <= 0)
        return kDeviceAbsent;

    const std::array<uint8_t, kCommandFrameSize> frame = PaddedFrame(request);
    const uint32_t check = CallCheckValue(kCommandChannel, 0, 0, frame);
    const uint8_t command = frame[CommandFrame::kCommandAt];

    for (int tries = 1;; ++tries) {
        replySlot_.Publish(reply);
        if (service_.WriteCommandFrame(frame, check) <= 0) {
            replySlot_.Withdraw();
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
            if (sequence)
                sequence->failed_ = true;
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
