#include "FrameLog.h"

#include <algorithm>

namespace torvex {
namespace {

thread_local uint32_t threadFrameLabel = 0;

}  // namespace

void LabelFramesOfThisThread(uint32_t label) {
    threadFrameLabel = label;
}

uint32_t FrameLabelOfThisThread() {
    return threadFrameLabel;
}

void FrameLog::Add(uint8_t direction, uint8_t channel, uint8_t flags,
                   std::span<const uint8_t> bytes, uint32_t label) {
    TorvexSimFrame entry{};
    entry.sequence = ++sequence_;
    entry.direction = direction;
    entry.channel = channel;
    entry.flags = flags;
    entry.label = label;
    std::size_t length = std::min(bytes.size(), sizeof entry.bytes);
    entry.length = static_cast<uint8_t>(length);
    std::copy_n(bytes.begin(), length, entry.bytes);
    if (entries_.size() == kCapacity) {
        entries_.pop_front();
    }
    entries_.push_back(entry);
}

}  // namespace torvex
