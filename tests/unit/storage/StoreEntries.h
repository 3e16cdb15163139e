#pragma once
// Keys and entries the storage tests put into a store.

#include <cstdint>

#include "model/ConfigStore.h"
#include "model/ProfileImage.h"

namespace tessel::testing {

constexpr int kKeyQ = 0x10;
constexpr int kKeyA = 0x1E;
constexpr int kKeyZ = 0x2C;

inline void SetEntry(ConfigStore& store, int profile, int keyIndex, AssignmentType type,
                     uint32_t value, uint16_t auxiliary = 0) {
    KeyAssignment* entry = EntryFor(*store.Image(), profile, keyIndex);
    entry->type = static_cast<uint16_t>(type);
    entry->value = value;
    entry->auxiliary = auxiliary;
}

}  // namespace tessel::testing
