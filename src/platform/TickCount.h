#pragma once

#include <cstdint>

namespace tessel {

// Milliseconds of a steady clock, wrapping at 2^32 like the Windows tick count:
// compare ticks by their unsigned difference.
uint32_t TickCount();

}  // namespace tessel
