#pragma once
// The constant table of 256 key records, one per key index below 256, and the
// conversions between key codes, usages and list positions.

#include <array>
#include <cstdint>

#include "model/KeyCode.h"

namespace tessel {

inline constexpr uint16_t kEmptyListId = 0xFFFF;
// List ids with this bit mark keys that no pick list shows.
inline constexpr uint16_t kHiddenListIdBit = 0x8000;
inline constexpr uint8_t kNoVirtualKey = 0xFF;

struct KeyRecord {
    const char16_t* label;  // English label identifying the key
    uint8_t virtualKey;
    uint16_t listId;
    uint8_t virtualKeyNumLockOff;
    uint8_t deviceCode;       // what the keyboard is told for this key
    const char16_t* textKey;  // language-file key of the display name; empty = none

    bool IsEmpty() const { return listId == kEmptyListId; }
};

// Device code ranges.
namespace devicecode {
inline constexpr uint8_t kNone = 0x00;
inline constexpr uint8_t kInvalid = 0xFF;
inline constexpr uint8_t kFirstDesktop = 0x81;  // power, sleep, wake
inline constexpr uint8_t kLastDesktop = 0x83;
inline constexpr uint8_t kFirstConsumer = 0xC0;  // index into the consumer usage table
inline constexpr uint8_t kLastConsumer = 0xDF;
inline constexpr uint8_t kFirstMouse = 0xF1;
inline constexpr uint8_t kLastMouse = 0xF8;
}  // namespace devicecode

// {page, usage}: page 7 keyboard, 1 Generic Desktop, 2 mouse, 12 consumer;
// {0, 0} is none.
struct UsageRef {
    uint16_t page = 0;
    uint16_t usage = 0;

    friend bool operator==(const UsageRef&, const UsageRef&) = default;
};

namespace usagepage {
inline constexpr uint16_t kNone = 0;
inline constexpr uint16_t kGenericDesktop = 1;
inline constexpr uint16_t kMouse = 2;
inline constexpr uint16_t kKeyboard = 7;
inline constexpr uint16_t kConsumer = 12;
}  // namespace usagepage

inline constexpr int kConsumerUsageCount = 32;
// HID Consumer usages at position (device code - 0xC0); 0 = no usage.
extern const std::array<uint16_t, kConsumerUsageCount> kConsumerUsages;

const std::array<KeyRecord, kKeyTableSize>& KeyTable();

// The record of a code, nullptr for codes beyond the table (G keys, garbage).
const KeyRecord* KeyRecordOf(uint16_t code);

// The list id of the code's record; kEmptyListId for codes beyond the table.
uint16_t ListIdOf(uint16_t code);
// The code of the first record (in index order) with that list id; 0 if none.
uint16_t KeyCodeOfListId(uint16_t listId);

UsageRef UsageOf(uint16_t code);
uint16_t KeyCodeOfUsage(UsageRef usage);

}  // namespace tessel
