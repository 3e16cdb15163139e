#pragma once
// A fixture that applies an edit store to the simulated keyboard through the
// real device library, as the main window's Apply does.

#include <gtest/gtest.h>

#include "ModelFakes.h"
#include "device/DeviceResult.h"
#include "model/ApplyAssignments.h"
#include "model/AssignmentEdits.h"
#include "model/KeyTable.h"
#include "model/KeyboardFacts.h"
#include "support/ScriptedPrompter.h"
#include "support/SimulatedKeyboard.h"
#include "text/LanguageTable.h"

namespace tessel {

inline constexpr uint8_t kCmdBegin = 0x01;
inline constexpr uint8_t kCmdEnd = 0x02;
inline constexpr uint8_t kCmdWriteParameters = 0x06;
inline constexpr uint8_t kCmdWriteKeyBlock = 0x08;
inline constexpr uint8_t kCmdWriteMacroArea = 0x0A;

class ApplyThroughKeyboard : public ::testing::Test {
protected:
    ApplyThroughKeyboard() {
        lookup.texts = {{u"IDS_MACRO_OVER", u"too long"},
                        {u"EXTRA_PROFILE_SPACE_TIGHT", u"names left out"}};
        edit.SetImage(DefaultImage());
        Attach();
    }

    // What the presence worker does on attach.
    void Attach() {
        KeyBlock defaults{};
        ASSERT_EQ(keyboard.Link().ReadDefaultKeyBlock(defaults), 1);
        facts.SetDefaultKeyBlock(defaults);
        std::array<uint8_t, kDeviceInfoSize> info{};
        ASSERT_EQ(keyboard.Link().ReadDeviceInfo(info), 1);
        facts.SetDeviceInfo(info);
        // The scene load after an attach learns the active profile.
        ASSERT_GE(keyboard.Link().GetActiveProfile(), 0);
    }

    void SetCapacityUnits(uint8_t units) {
        std::array<uint8_t, kDeviceInfoSize> info{};
        info[kMacroCapacityByte] = units;
        facts.SetDeviceInfo(info);
    }

    bool Apply(bool all) {
        return ApplyFromEditStore(edit, apply, all,
                                  {keyboard.Link(), facts, prompter, table, lookup}) == kDeviceDone;
    }

    void Assign(int profile, uint16_t code, AssignmentType type, uint32_t value) {
        ASSERT_TRUE(EditKeyAssignment(edit, profile, KeyIndexOf(code), static_cast<uint16_t>(type),
                                      0, value));
    }

    std::vector<uint8_t> KeyBlockOnKeyboard(int block) {
        return keyboard.ReadArea(TORVEX_SIM_AREA_KEY_BLOCKS, block * 192, 192);
    }

    std::vector<uint8_t> WriteCommands() {
        std::vector<uint8_t> commands;
        for (const TorvexSimFrame& frame : keyboard.CommandsReceived()) {
            if (frame.bytes[3] != 0x03) {  // reads of the device information
                commands.push_back(frame.bytes[3]);
            }
        }
        return commands;
    }

    test::SimulatedKeyboard keyboard;
    KeyboardFacts facts;
    testing::ScriptedPrompter prompter;
    test::FakeTextLookup lookup;
    LanguageTable table;
    ConfigStore edit;
    ConfigStore apply;
};

}  // namespace tessel
