// Native key events to the keyboard's key codes, as the key capture and the
// macro recorder see them.

#include <gtest/gtest.h>

#include "model/ScanCodes.h"
#include "model/VirtualKeys.h"

namespace tessel {
namespace {

// The key code a hook would have reported for the event with this evdev code.
uint16_t HookCodeOfEvdev(uint32_t evdev) {
    const std::optional<HookKey> hook = HookKeyOf(KeyCodeOfEvdev(evdev));
    return hook ? KeyCodeFromHook(hook->virtualKey, hook->keyData) : 0;
}

TEST(ScanCodes, EveryKindOfKeyReachesItsKeyCodeThroughTheHookRule) {
    struct Case {
        uint32_t evdev;
        uint16_t code;
        const char* key;
    };
    const Case cases[] = {
        {1, 0x001, "Esc"},
        {30, 0x01E, "A"},
        {48, 0x030, "B"},
        {54, 0x036, "Right Shift"},
        {55, 0x037, "Num *"},
        {71, 0x047, "Num 7"},
        {86, 0x056, "K45"},
        {88, 0x058, "F12"},
        {69, 0x145, "Num Lock"},
        {119, 0x045, "Pause"},
        {99, 0x137, "Print Screen"},
        {96, 0x11C, "Num Enter"},
        {97, 0x11D, "Right Ctrl"},
        {98, 0x135, "Num /"},
        {100, 0x138, "Right Alt"},
        {102, 0x147, "Home"},
        {105, 0x14B, "Left"},
        {111, 0x153, "Delete"},
        {125, 0x15B, "Win"},
        {126, 0x15C, "Right Win"},
        {127, 0x15D, "Menu"},
        {113, 0x120, "Mute"},
        {115, 0x130, "V+"},
        {164, 0x122, "Play/Pause"},
        {140, 0x121, "Calc"},
        {226, 0x16D, "Media Player"},
        {93, 0x070, "ROMA"},
        {122, 0x072, "KR"},
        {183, 0x064, "F13"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyCodeOfEvdev(c.evdev), c.code) << c.key;
        EXPECT_EQ(HookCodeOfEvdev(c.evdev), c.code) << c.key << " through KeyCodeFromHook";
        EXPECT_EQ(KeyCodeOfNativeScanCode(c.evdev + kNativeScanCodeOffset), c.code) << c.key;
    }
}

TEST(ScanCodes, UnknownAndMissingCodesGiveNoKey) {
    for (uint32_t evdev : {0u, 85u, 101u, 240u, 0x2FFu}) {
        EXPECT_EQ(KeyCodeOfEvdev(evdev), 0) << evdev;
    }
    // A synthetic event carries no native scan code.
    EXPECT_EQ(KeyCodeOfNativeScanCode(0), 0);
    EXPECT_EQ(KeyCodeOfNativeScanCode(kNativeScanCodeOffset), 0);
    EXPECT_FALSE(HookKeyOf(0).has_value());
    EXPECT_FALSE(HookKeyOf(0x200).has_value()) << "G keys have no hook event";
}

TEST(ScanCodes, TheExtendedFlagTravelsInBit24) {
    const std::optional<HookKey> printScreen = HookKeyOf(0x137);
    ASSERT_TRUE(printScreen);
    EXPECT_EQ(printScreen->virtualKey, 0x2Cu);
    EXPECT_EQ((printScreen->keyData >> 16) & 0xFF, 0x37u);
    EXPECT_EQ((printScreen->keyData >> 24) & 1, 1u);
    // Without a scan code the virtual key alone decides.
    const HookKey byVirtualKey = HookKeyOfVirtualKey(0x42);
    EXPECT_EQ(KeyCodeFromHook(byVirtualKey.virtualKey, byVirtualKey.keyData), 0x030);
}

}  // namespace
}  // namespace tessel
