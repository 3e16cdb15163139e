#pragma once
// Result codes of every device transaction and command function.

namespace tessel {

inline constexpr int kDeviceDone = 1;
// No keyboard on the command channel (nothing was sent), or the reply wait failed.
inline constexpr int kDeviceAbsent = 0;
// The library refused the frame; not retried.
inline constexpr int kDeviceRefused = -1;
// No reply with the request's command number after three tries.
inline constexpr int kDeviceNoMatchingReply = -2;
// The keyboard answered with a busy status and did not carry the command out.
inline constexpr int kDeviceStatusFF = -102;
inline constexpr int kDeviceStatusFE = -103;
// A block number, profile, slot, length or offset outside what the keyboard
// addresses; nothing was sent.
inline constexpr int kDeviceOutOfRange = -201;

}  // namespace tessel
