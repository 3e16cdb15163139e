#pragma once
// The list in which a user picks a plain key: list ids 0..74 in order.

#include <array>
#include <cstdint>

namespace tessel {

inline constexpr int kKeyPickListSize = 75;

// Key codes of the pick list entries, entry i holding list id i.
const std::array<uint16_t, kKeyPickListSize>& KeyPickList();

}  // namespace tessel
