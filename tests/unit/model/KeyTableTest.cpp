#include <gtest/gtest.h>

#include <map>
#include <set>

#include "model/KeyButtons.h"
#include "model/KeyPickList.h"
#include "model/KeyTable.h"
#include "model/VirtualKeys.h"

namespace tessel {
namespace {

TEST(KeyIndex, SwappedAndExtendedCodesMapBothWays) {
    EXPECT_EQ(KeyIndexOf(0x145), 197);
    EXPECT_EQ(KeyCodeOfIndex(197), 0x145);
    EXPECT_EQ(KeyIndexOf(0x045), 69);
    EXPECT_EQ(KeyIndexOf(0x200), 256);
    EXPECT_EQ(KeyIndexOf(0x1FF), 127);
    EXPECT_EQ(KeyIndexOf(0x209), GKeyIndex(0, true));
    for (uint16_t index = 0; index < kKeyTableSize; ++index) {
        EXPECT_EQ(KeyIndexOf(KeyCodeOfIndex(index)), index);
    }
}

TEST(KeyTable, RecordsCarryTheirColumns) {
    const KeyRecord* numSeven = KeyRecordOf(0x047);
    ASSERT_NE(numSeven, nullptr);
    EXPECT_EQ(numSeven->virtualKey, 0x67);
    EXPECT_EQ(numSeven->virtualKeyNumLockOff, 0x24);
    EXPECT_EQ(numSeven->deviceCode, 0x5F);
    EXPECT_EQ(numSeven->listId, 92);
    EXPECT_EQ(std::u16string(numSeven->textKey), u"IDS_KEYBOARD_S_7");

    const KeyRecord* secondShift = KeyRecordOf(0x136);
    ASSERT_NE(secondShift, nullptr);
    EXPECT_EQ(std::u16string(secondShift->textKey), u"IDS_KEYBOARD_RSHIFT");
    EXPECT_EQ(secondShift->deviceCode, KeyRecordOf(0x036)->deviceCode);

    EXPECT_TRUE(KeyRecordOf(0x055)->IsEmpty());
    EXPECT_TRUE(KeyTable()[0].IsEmpty());
    EXPECT_EQ(KeyRecordOf(0x200), nullptr);
    EXPECT_EQ(ListIdOf(0x200), kEmptyListId);

    int filled = 0;
    for (const KeyRecord& record : KeyTable()) {
        filled += record.IsEmpty() ? 0 : 1;
    }
    EXPECT_EQ(filled, 157);
}

TEST(KeyTable, ListIdsOutsideThePickListsAreUniqueExceptRightShift) {
    std::map<uint16_t, int> seen;
    for (const KeyRecord& record : KeyTable()) {
        if (!record.IsEmpty()) {
            ++seen[record.listId];
        }
    }
    for (const auto& [listId, count] : seen) {
        EXPECT_EQ(count, listId == 104 ? 2 : 1) << "list id " << listId;
    }
}

TEST(Usage, ConversionsFollowTheDeviceCode) {
    EXPECT_EQ(KeyCodeOfUsage({12, 0x0E2}), 0x120);
    EXPECT_EQ(KeyCodeOfUsage({12, 0x0B3}), 0);
    EXPECT_EQ(KeyCodeOfUsage({12, 0}), 0);
    EXPECT_EQ(KeyCodeOfUsage({1, 0x84}), 0);
    EXPECT_EQ(KeyCodeOfUsage({1, 0x82}), 0x15F);
    EXPECT_EQ(KeyCodeOfUsage({7, 0x48}), 0x045);  // Pause before Break
    EXPECT_EQ(KeyCodeOfUsage({7, 0xE5}), 0x036);
    EXPECT_EQ(KeyCodeOfUsage({7, 0}), 0);
    EXPECT_EQ(KeyCodeOfUsage({7, 0x104}), 0);
    EXPECT_EQ(KeyCodeOfUsage({3, 0x04}), 0);

    EXPECT_EQ(UsageOf(0x130), (UsageRef{7, 0xC0}));
    EXPECT_EQ(UsageOf(0x163), (UsageRef{1, 0x83}));
    EXPECT_EQ(UsageOf(0x162), (UsageRef{2, 0xF5}));
    EXPECT_EQ(UsageOf(0x064), (UsageRef{}));
    EXPECT_EQ(UsageOf(0x205), (UsageRef{}));
}

TEST(Usage, EveryKeyboardUsageLeadsBackToAKeyWithThatUsage) {
    for (uint16_t index = 1; index < kKeyTableSize; ++index) {
        const uint16_t code = KeyCodeOfIndex(index);
        const UsageRef usage = UsageOf(code);
        if (usage.page == 0) {
            continue;
        }
        const uint16_t back = KeyCodeOfUsage(usage.page == 2 ? UsageRef{7, usage.usage} : usage);
        EXPECT_EQ(UsageOf(back), usage) << std::hex << code;
    }
}

TEST(PickList, HoldsSeventyFiveKeysInListOrder) {
    const auto& list = KeyPickList();
    ASSERT_EQ(list.size(), 75u);
    EXPECT_EQ(list[0], 0x01E);   // A
    EXPECT_EQ(list[25], 0x02C);  // Z
    EXPECT_EQ(list[26], 0x002);  // 1
    EXPECT_EQ(list[35], 0x00B);  // 0
    EXPECT_EQ(list[36], 0x01C);  // Enter
    EXPECT_EQ(list[64], 0x137);  // Print Screen
    EXPECT_EQ(list[66], 0x146);  // Break
    EXPECT_EQ(list[74], 0x150);  // down arrow
    EXPECT_EQ(std::set<uint16_t>(list.begin(), list.end()).size(), 75u);
    EXPECT_EQ(KeyCodeOfListId(75), 0);
    EXPECT_EQ(KeyCodeOfListId(104), 0x036);
}

TEST(VirtualKeys, FixedChoicesAndExclusions) {
    EXPECT_EQ(KeyCodeOfVirtualKey(0x10), 0x02A);
    EXPECT_EQ(KeyCodeOfVirtualKey(0x11), 0x01D);
    EXPECT_EQ(KeyCodeOfVirtualKey(0x12), 0x038);
    EXPECT_EQ(KeyCodeOfVirtualKey(0x0D), 0x01C);
    EXPECT_EQ(KeyCodeOfVirtualKey(0x2C), 0x137);
    EXPECT_EQ(KeyCodeOfVirtualKey(0xA1), 0x036);
    EXPECT_EQ(KeyCodeOfVirtualKey(0x01), 0);
    EXPECT_EQ(KeyCodeOfVirtualKey(0x04), 0);
    EXPECT_EQ(KeyCodeOfVirtualKey(0x8B), 0);
    EXPECT_EQ(KeyCodeOfVirtualKey(0xFF), 0);
    EXPECT_EQ(KeyCodeOfVirtualKey(0x90), 0);  // inside the function range
    EXPECT_EQ(KeyCodeOfVirtualKey(0x14), 0x03A);
    EXPECT_EQ(KeyCodeOfVirtualKey(0x1000), 0);
}

TEST(VirtualKeys, EveryKeyWithAVirtualKeyIsReachedUnlessShared) {
    // A record whose VK leads elsewhere must be one of the known shared VKs.
    const std::set<uint16_t> sharedLosers = {0x11C, 0x054, 0x136};
    for (uint16_t index = 1; index < kKeyTableSize; ++index) {
        const KeyRecord& record = KeyTable()[index];
        const uint8_t vk = record.virtualKey;
        if (record.IsEmpty() || vk == 0xFF || (vk >= 0x88 && vk <= 0x9F) || vk == 0x01 ||
            vk == 0x02 || vk == 0x04) {
            continue;
        }
        const uint16_t code = KeyCodeOfIndex(index);
        if (KeyCodeOfVirtualKey(vk) != code) {
            EXPECT_TRUE(sharedLosers.count(code)) << std::hex << code;
        }
    }
}

TEST(VirtualKeys, HookPrefersTheScanCodeWhenItMatches) {
    auto data = [](uint32_t scan) { return scan << 16; };
    EXPECT_EQ(KeyCodeFromHook(0x10, data(0x036)), 0x036);  // right shift by scan
    EXPECT_EQ(KeyCodeFromHook(0xFF, data(0x070)), 0x070);  // no VK: the scan code
    EXPECT_EQ(KeyCodeFromHook(0x10, 0), 0x02A);            // no scan code: by VK
    EXPECT_EQ(KeyCodeFromHook(0x0D, data(0x11C)), 0x11C);  // Num Enter by its record
    EXPECT_EQ(KeyCodeFromHook(0x24, data(0x047)), 0x047);  // Num 7 with Num Lock off
    EXPECT_EQ(KeyCodeFromHook(0x10, data(0x02A)), 0x02A);  // low byte matches VK entry
    EXPECT_EQ(KeyCodeFromHook(0x41, data(0x030)), 0x01E);  // mismatch: by VK
    EXPECT_TRUE(IsPresslessKey(0x137));
    EXPECT_TRUE(IsPresslessKey(0x071));
    EXPECT_FALSE(IsPresslessKey(0x036));
}

TEST(KeyButtons, TableIsConsistent) {
    std::set<int> ids;
    std::set<uint16_t> indices;
    for (int position = 0; position < kKeyButtonCount; ++position) {
        const KeyButton& button = kKeyButtons[position];
        EXPECT_EQ(button.position, position);
        ids.insert(button.controlId);
        indices.insert(button.KeyIndex());
        const KeyRecord* record = KeyRecordOf(button.code);
        ASSERT_NE(record, nullptr);
        EXPECT_FALSE(record->IsEmpty()) << position;
        EXPECT_TRUE(button.ledSlot < kLedSlotCount);
        EXPECT_EQ(KeyButtonOfControl(button.controlId), &button);
    }
    for (const GKeyButton& button : kGKeyButtons) {
        ids.insert(button.controlId);
        EXPECT_EQ(GKeyButtonOfControl(button.controlId), &button);
    }
    EXPECT_EQ(ids.size(), 113u);
    EXPECT_EQ(indices.size(), 104u);
    EXPECT_EQ(KeyButtonOfControl(1174), nullptr);
}

TEST(KeyButtons, SkinEntriesAndBindings) {
    EXPECT_EQ(SkinEntryName(kKeyButtons[64]), u"KEY_0B7");  // Print Screen by index
    EXPECT_EQ(SkinEntryName(kKeyButtons[0]), u"KEY_01E");
    EXPECT_EQ(SkinEntryName(kKeyButtons[97]), u"KEY_0C5");  // Num Lock
    EXPECT_EQ(SkinEntryName(kGKeyButtons[8]), u"FUNC_G9");
    EXPECT_EQ(kGKeyButtons[5].controlId, 1140);
    EXPECT_EQ(kGKeyButtons[2].KeyIndex(false), 258);
    EXPECT_EQ(kGKeyButtons[2].KeyIndex(true), 267);
    EXPECT_FALSE(kGKeyButtons[7].HasLedSlot());
    EXPECT_EQ(kKeyButtons[82].code, 0x036);
    EXPECT_EQ(kKeyButtons[37].ledSlot, 1);  // Esc
    EXPECT_EQ(kKeyButtons[7].ledSlot, 63);  // H shares the last slot
}

}  // namespace
}  // namespace tessel
