#pragma once
// Where the presence worker keeps what it reads from a newly attached
// keyboard: its default key block and its device information.

#include <algorithm>
#include <span>

#include "device/StatusWindow.h"
#include "model/KeyboardFacts.h"

namespace tessel {

class AttachedKeyboardFacts final : public AttachedKeyboardSink {
public:
    explicit AttachedKeyboardFacts(KeyboardFacts& facts) : m_facts(facts) {}

    void StoreDefaultKeyBlock(const uint8_t* block192) override {
        KeyBlock block{};
        std::copy(block192, block192 + block.size(), block.begin());
        m_facts.SetDefaultKeyBlock(block);
    }
    void StoreDeviceInfo(const uint8_t* info44) override {
        m_facts.SetDeviceInfo(std::span<const uint8_t, kDeviceInfoSize>(info44, kDeviceInfoSize));
    }

private:
    KeyboardFacts& m_facts;
};

}  // namespace tessel
