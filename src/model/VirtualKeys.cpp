#include "model/VirtualKeys.h"

#include "model/KeyCode.h"
#include "model/KeyTable.h"

namespace tessel {

namespace {

struct FixedChoice {
    uint8_t virtualKey;
    uint16_t code;
};

// Generic modifier VKs give the left-hand keys; VKs that two records share give
// the main-block key.
constexpr FixedChoice kFixedChoices[] = {
    {0x10, keycode::kLeftShift},    // VK_SHIFT
    {0x11, keycode::kLeftCtrl},     // VK_CONTROL
    {0x12, keycode::kLeftAlt},      // VK_MENU
    {0x0D, keycode::kEnter},        // not Num Enter
    {0x2C, keycode::kPrintScreen},  // not Sys Req
    {0xA1, keycode::kRightShift},   // not the second Right Shift record
};

// Mouse buttons and the program's own function values are no keys.
constexpr bool GivesNoKey(unsigned vk) {
    return vk == 0x01 || vk == 0x02 || vk == 0x04 || (vk >= 0x88 && vk <= 0x9F) || vk == 0xFF;
}

std::array<VirtualKeyEntry, kVirtualKeyCount> BuildVirtualKeyTable() {
    std::array<VirtualKeyEntry, kVirtualKeyCount> table{};
    const auto& keys = KeyTable();
    for (int index = 0; index < kKeyTableSize; ++index) {
        const KeyRecord& record = keys[index];
        if (record.IsEmpty() || table[record.virtualKey].valid) {
            continue;
        }
        table[record.virtualKey] = {true, static_cast<uint8_t>(index)};
    }
    for (const FixedChoice& choice : kFixedChoices) {
        table[choice.virtualKey] = {true, static_cast<uint8_t>(KeyIndexOf(choice.code))};
    }
    for (unsigned vk = 0; vk < kVirtualKeyCount; ++vk) {
        if (GivesNoKey(vk)) {
            table[vk] = {};
        }
    }
    return table;
}

uint16_t CodeOfScanByte(uint8_t scanByte) {
    return scanByte < 0x80 ? scanByte : static_cast<uint16_t>(scanByte + 0x80);
}

}  // namespace

const std::array<VirtualKeyEntry, kVirtualKeyCount>& VirtualKeyTable() {
    static const std::array<VirtualKeyEntry, kVirtualKeyCount> table = BuildVirtualKeyTable();
    return table;
}

uint16_t KeyCodeOfVirtualKey(uint32_t virtualKey) {
    if (virtualKey >= kVirtualKeyCount) {
        return kNoKey;
    }
    const VirtualKeyEntry& entry = VirtualKeyTable()[virtualKey];
    return entry.valid ? CodeOfScanByte(entry.scanByte) : kNoKey;
}

uint16_t KeyCodeFromHook(uint32_t virtualKey, uint32_t keyData) {
    const uint16_t scan = static_cast<uint16_t>((keyData >> 16) & 0x1FF);
    const uint16_t byVirtualKey = KeyCodeOfVirtualKey(virtualKey);
    if (scan == keycode::kRightShift) {
        return keycode::kRightShift;
    }
    if (virtualKey == kNoVirtualKey) {
        return scan;
    }
    if ((keyData & 0x00FF0000u) == 0) {
        return byVirtualKey;
    }
    const KeyRecord* record = KeyRecordOf(scan);
    if (record &&
        (virtualKey == record->virtualKey || virtualKey == record->virtualKeyNumLockOff)) {
        return scan;
    }
    if (virtualKey < kVirtualKeyCount) {
        const VirtualKeyEntry& entry = VirtualKeyTable()[virtualKey];
        if (entry.valid && (scan & 0xFF) == entry.scanByte) {
            return scan;
        }
    }
    return byVirtualKey;
}

bool IsPresslessKey(uint16_t code) {
    return code == keycode::kSysReq || code == keycode::kKanaLeft || code == keycode::kKanaRight ||
           code == keycode::kPrintScreen;
}

}  // namespace tessel
