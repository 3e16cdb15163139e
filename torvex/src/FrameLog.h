#pragma once
// The most recent frames the simulated keyboard received and sent.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "torvex_sim.h"

namespace torvex {

class FrameLog {
public:
    static constexpr std::size_t kCapacity = 4096;

    void Add(uint8_t direction, uint8_t channel, uint8_t flags, std::span<const uint8_t> bytes,
             uint32_t label = 0);
    void Clear() { entries_.clear(); }
    std::size_t Count() const { return entries_.size(); }
    const TorvexSimFrame& At(std::size_t index) const { return entries_[index]; }

private:
    std::deque<TorvexSimFrame> entries_;
    uint32_t sequence_ = 0;
};

// The label of the frames the calling thread sends (0: none).
void LabelFramesOfThisThread(uint32_t label);
uint32_t FrameLabelOfThisThread();

}  // namespace torvex
