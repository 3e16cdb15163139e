#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "ExportOverrides.h"
#include "device/DeviceResult.h"
#include "device/DeviceStartup.h"
#include "platform/Prompter.h"
#include "platform/StartupFailureReport.h"
#include "platform/Utf8.h"
#include "support/SimulatedKeyboard.h"

namespace tessel::test {
namespace {

const char* const kExportNames[] = {
    "Debug",
    "Init",
    "End",
    "RequestGetDeviceCount",
    "DeleteRequestFromUnitId",
    "DeleteRequestFromHandle",
    "RequestWrite",
    "RequestWriteOne",
    "RequestStatusWrite",
    "RequestStatusGet",
    "RequestAsyncRead",
    "RequestStatusSetFeature",
};

int InitNotReady(int) {
    return 0;
}

class DeviceBinding : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(DeviceBinding, EveryExportIsRequiredEvenTheOnesNeverCalled) {
    for (const char* name : kExportNames) {
        ExportOverrides exports;
        exports.Remove(name);
        const DeviceStartup startup = StartDeviceLink(exports, nullptr);
        EXPECT_EQ(startup.connection, nullptr) << name;
        EXPECT_NE(startup.failure.find(name), std::string::npos) << startup.failure;
    }
}

TEST_F(DeviceBinding, AFolderWithoutTheLibraryEndsTheProcess) {
    // In a fresh process: once loaded, the library would be found by its name.
    const std::filesystem::path folder =
        std::filesystem::path(TESSEL_SOURCE_DIR) / "no-such-folder";
    EXPECT_EXIT(EndProcessUnlessStarted(StartDeviceLink(folder, nullptr)),
                ::testing::ExitedWithCode(1), "^tessel: cannot load[^\n]*libTorvex.so[^\n]*\n$");
}

TEST_F(DeviceBinding, MissingExportEndsTheProcessWithOneLineAndFailureStatus) {
    ExportOverrides exports;
    exports.Remove("RequestStatusGet");
    EXPECT_EXIT(EndProcessUnlessStarted(StartDeviceLink(exports, nullptr)),
                ::testing::ExitedWithCode(1), "^tessel: [^\n]*RequestStatusGet\n$");
}

TEST_F(DeviceBinding, InitNotReadyEndsTheProcessLikeAMissingLibrary) {
    ExportOverrides exports;
    exports.Replace("Init", &InitNotReady);
    EXPECT_EQ(StartDeviceLink(exports, nullptr).connection, nullptr);
    EXPECT_EXIT(EndProcessUnlessStarted(StartDeviceLink(exports, nullptr)),
                ::testing::ExitedWithCode(1), "^tessel: [^\n]*Init[^\n]*\n$");
}

// Stands for the message box: what it would show goes to standard error.
class StderrPrompter final : public Prompter {
public:
    PromptAnswer ShowMessage(const std::u16string& text, const std::u16string&, PromptButtons,
                             PromptIcon) override {
        std::fprintf(stderr, "box: %s\n", ToUtf8(text).c_str());
        return PromptAnswer::Ok;
    }
    std::optional<std::u16string> AskOpenFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::u16string> AskSaveFile(const FileDialogRequest&) override { return {}; }
};

TEST_F(DeviceBinding, WithADisplayTheReasonAlsoReachesTheMessageBox) {
    ExportOverrides exports;
    exports.Replace("Init", &InitNotReady);
    StderrPrompter box;
    SetStartupFailurePrompter(&box);
    EXPECT_EXIT(EndProcessUnlessStarted(StartDeviceLink(exports, nullptr)),
                ::testing::ExitedWithCode(1), "^tessel: [^\n]*Init[^\n]*\nbox: [^\n]*Init[^\n]*\n$");
    SetStartupFailurePrompter(nullptr);
}

// Unit ids the program passed to DeleteRequestFromUnitId, in order.
std::vector<uint32_t> deletedIds;

int RecordDelete(uint32_t unitId) {
    deletedIds.push_back(unitId);
    void* original = ExportOverrides::Original("DeleteRequestFromUnitId");
    decltype(&DeleteRequestFromUnitId) forward = nullptr;
    std::memcpy(&forward, &original, sizeof(forward));
    return forward(unitId);
}

TEST_F(DeviceBinding, FirstRegistrationsDeleteUnitIdZeroThenStoreTheLibrarysIds) {
    deletedIds.clear();
    ExportOverrides exports;
    exports.Replace("DeleteRequestFromUnitId", &RecordDelete);
    SimulatedKeyboardOptions options;
    options.exports = &exports;
    SimulatedKeyboard keyboard(options);

    // Consumer read, then command read: each deletes its stored id first.
    EXPECT_EQ(deletedIds, (std::vector<uint32_t>{0, 0}));
    const DeviceRequestIds ids = keyboard.Connection().RequestIds();
    EXPECT_NE(ids.consumerRead, 0u);
    EXPECT_NE(ids.commandRead, 0u);
    EXPECT_NE(ids.consumerRead, ids.commandRead);

    // Re-writing the indicator state replaces the previous request.
    keyboard.Connection().WriteIndicatorState();
    const uint32_t firstWrite = keyboard.Connection().RequestIds().indicatorWrite;
    keyboard.Connection().WriteIndicatorState();
    EXPECT_EQ(deletedIds, (std::vector<uint32_t>{0, 0, 0, firstWrite}));
}

TEST_F(DeviceBinding, StartupCountsTheKeyboardsOnTheCommandChannel) {
    {
        SimulatedKeyboard keyboard;
        EXPECT_EQ(keyboard.StartupDeviceCount(), 1);
    }
    SimulatedKeyboardOptions options;
    options.pluggedAtStart = false;
    SimulatedKeyboard keyboard(options);
    EXPECT_EQ(keyboard.StartupDeviceCount(), 0);
}

TEST_F(DeviceBinding, IndicatorStateStartsAtLayerAAndIsWrittenAsItStands) {
    SimulatedKeyboard keyboard;
    EXPECT_TRUE(keyboard.IndicatorWrites().empty());  // nothing is written at start
    keyboard.Connection().WriteIndicatorState();
    keyboard.Connection().IndicatorState()[1] ^= 0x01;
    keyboard.Connection().WriteIndicatorState();

    const std::vector<TorvexSimFrame> writes = keyboard.IndicatorWrites();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].length, 2);
    EXPECT_EQ((std::vector<uint8_t>(writes[0].bytes, writes[0].bytes + 2)),
              (std::vector<uint8_t>{0x05, 0x02}));
    EXPECT_EQ((std::vector<uint8_t>(writes[1].bytes, writes[1].bytes + 2)),
              (std::vector<uint8_t>{0x05, 0x03}));
}

}  // namespace
}  // namespace tessel::test
