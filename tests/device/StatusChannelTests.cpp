// Presence, notification codes and the macro-key layer, through the real
// library and the simulated keyboard.

#include <gtest/gtest.h>

#include <array>
#include <mutex>
#include <vector>

#include "device/KeyboardSession.h"
#include "device/StatusChannels.h"
#include "support/SimulatedKeyboard.h"

namespace tessel {
namespace {

using test::EventuallyTrue;
using test::SimulatedKeyboard;
using test::SimulatedKeyboardOptions;

class FakeWindow final : public StatusWindow {
public:
    intptr_t SendRequest(const WindowRequest& request) override {
        Record(request, sent);
        return 1;
    }
    void PostRequest(const WindowRequest& request) override { Record(request, posted); }
    void HideWindow() override { ++hides; }
    bool IsInitialised() const override { return initialised; }
    void ShowTrayIcon(int iconId) override {
        std::lock_guard lock(mutex);
        trayIcons.push_back(iconId);
    }
    void StartProfileFollowTimer() override { ++profileTimers; }
    void ShowDefaultKeyBlockPrompt() override { ++defaultBlockPrompts; }
    void ShowMacroLayer(MacroLayer layer) override {
        std::lock_guard lock(mutex);
        layers.push_back(layer);
    }
    bool FirstShowFlag() const override { return firstShow; }
    void SetFirstShowFlag() override { firstShow = true; }

    std::vector<uint32_t> Tags(const std::vector<WindowRequest>& requests, uint32_t message) {
        std::lock_guard lock(mutex);
        std::vector<uint32_t> tags;
        for (const auto& request : requests)
            if (request.message == message)
                tags.push_back(static_cast<uint32_t>(request.wParam));
        return tags;
    }
    std::vector<int> TrayIcons() {
        std::lock_guard lock(mutex);
        return trayIcons;
    }
    std::vector<MacroLayer> Layers() {
        std::lock_guard lock(mutex);
        return layers;
    }

    std::mutex mutex;
    std::vector<WindowRequest> sent, posted;
    std::vector<int> trayIcons;
    std::vector<MacroLayer> layers;
    std::atomic<int> hides{0}, profileTimers{0}, defaultBlockPrompts{0};
    std::atomic<bool> initialised{true}, firstShow{false};

private:
    void Record(const WindowRequest& request, std::vector<WindowRequest>& into) {
        std::lock_guard lock(mutex);
        into.push_back(request);
    }
};

class FakeKeyboardSink final : public AttachedKeyboardSink {
public:
    void StoreDefaultKeyBlock(const uint8_t* block) override {
        std::lock_guard lock(mutex);
        defaultBlocks.emplace_back(block, block + kKeyBlockSize);
    }
    void StoreDeviceInfo(const uint8_t* info) override {
        std::lock_guard lock(mutex);
        infos.emplace_back(info, info + kDeviceInfoSize);
    }
    size_t DefaultBlocks() {
        std::lock_guard lock(mutex);
        return defaultBlocks.size();
    }
    size_t Infos() {
        std::lock_guard lock(mutex);
        return infos.size();
    }
    std::mutex mutex;
    std::vector<std::vector<uint8_t>> defaultBlocks, infos;
};

// Counts the presence reports on their way to the status channels.
class CountingRelay final : public StatusChannelListener {
public:
    explicit CountingRelay(StatusChannelListener& target) : target_(target) {}
    void OnPresenceChanged(uint32_t deviceCount) override {
        target_.OnPresenceChanged(deviceCount);
        ++presenceReports;
    }
    void OnNotificationCode(uint16_t code) override { target_.OnNotificationCode(code); }
    std::atomic<int> presenceReports{0};

private:
    StatusChannelListener& target_;
};

class StatusChannelTest : public ::testing::Test {
protected:
    void StartWith(bool plugged) {
        SimulatedKeyboardOptions options;
        options.listener = &relay;
        options.pluggedAtStart = plugged;
        keyboard = std::make_unique<SimulatedKeyboard>(options);
        keyboard->ShortenReplyWait(std::chrono::milliseconds(50));
        session = std::make_unique<KeyboardSession>(keyboard->Link(),
                                                    [](std::function<void()> call) { call(); });
        channels.Start(keyboard->Connection(), *session, keyboard->StartupDeviceCount());
    }
    bool Settled() {
        return EventuallyTrue([&] { return channels.LiveWorkers() == 0; });
    }
    void TearDown() override {
        channels.Stop();
        session.reset();
        keyboard.reset();
    }

    FakeWindow window;
    FakeKeyboardSink sink;
    StatusChannels channels{window, sink};
    CountingRelay relay{channels};
    std::unique_ptr<SimulatedKeyboard> keyboard;
    std::unique_ptr<KeyboardSession> session;
};

TEST_F(StatusChannelTest, AttachAtStartReadsTheKeyboardAndShowsTheWindowOnce) {
    StartWith(true);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(window.Tags(window.sent, kOpenMessage), std::vector<uint32_t>{kRevTag});
    EXPECT_EQ(window.Tags(window.sent, kProfileReloadMessage), std::vector<uint32_t>{kProfTag});
    EXPECT_EQ(sink.DefaultBlocks(), 1u);
    EXPECT_EQ(sink.Infos(), 1u);
    EXPECT_EQ(window.TrayIcons(), std::vector<int>{kTrayIconKeyboard});
    EXPECT_EQ(window.Tags(window.posted, kOpenMessage), std::vector<uint32_t>{kOpenTag});
    EXPECT_TRUE(window.firstShow);
    EXPECT_EQ(channels.LastDeviceCount(), 1u);

    // The same count again does nothing at all.
    channels.OnPresenceChanged(1);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(sink.Infos(), 1u);
    EXPECT_EQ(window.TrayIcons().size(), 1u);
}

TEST_F(StatusChannelTest, WaitsForTheInitialisedWindowBeforeTouchingTheTray) {
    window.initialised = false;
    StartWith(true);
    ASSERT_TRUE(EventuallyTrue([&] { return sink.Infos() == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    EXPECT_TRUE(window.TrayIcons().empty());
    window.initialised = true;
    ASSERT_TRUE(Settled());
    EXPECT_EQ(window.TrayIcons(), std::vector<int>{kTrayIconKeyboard});
}

TEST_F(StatusChannelTest, UnplugClosesEditorsAndHidesAndReplugDoesNotShow) {
    StartWith(true);
    ASSERT_TRUE(Settled());
    ASSERT_EQ(keyboard->Link().GetActiveProfile(), 0);

    ASSERT_EQ(keyboard->Unplug(), 1);
    ASSERT_TRUE(EventuallyTrue([&] { return channels.LastDeviceCount() == 0; }));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(window.Tags(window.sent, kCloseEditorsMessage).size(), 1u);
    EXPECT_EQ(window.hides, 1);
    EXPECT_EQ(window.TrayIcons().back(), kTrayIconNoKeyboard);

    ASSERT_EQ(keyboard->Plug(), 1);
    ASSERT_TRUE(EventuallyTrue([&] { return channels.LastDeviceCount() == 1; }));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(window.Tags(window.posted, kOpenMessage).size(), 1u) << "OPEN only after start";
    EXPECT_EQ(window.TrayIcons().back(), kTrayIconKeyboard);
    EXPECT_EQ(sink.Infos(), 2u);
}

TEST_F(StatusChannelTest, NoKeyboardAtStartKeepsTheTrayIconAndAttachLaterDoesNotShow) {
    window.firstShow = true;  // start-up sets it when no keyboard is counted
    StartWith(false);
    ASSERT_TRUE(Settled());
    EXPECT_TRUE(window.TrayIcons().empty());
    ASSERT_EQ(keyboard->Plug(), 1);
    ASSERT_TRUE(EventuallyTrue([&] { return channels.LastDeviceCount() == 1; }));
    ASSERT_TRUE(Settled());
    EXPECT_TRUE(window.Tags(window.posted, kOpenMessage).empty());
}

TEST_F(StatusChannelTest, LayerKeyTogglesTheIndicatorStateAndEndsInLayerA) {
    StartWith(true);
    ASSERT_TRUE(Settled());
    keyboard->ClearFrameLog();
    ASSERT_EQ(keyboard->Notify(kCodeLayerToggle), 1);
    ASSERT_TRUE(EventuallyTrue([&] { return window.Layers().size() == 1; }));
    EXPECT_EQ(channels.ActiveLayer(), MacroLayer::B);
    ASSERT_EQ(keyboard->Notify(kCodeLayerToggle), 1);
    ASSERT_TRUE(EventuallyTrue([&] { return window.Layers().size() == 2; }));

    const auto writes = keyboard->IndicatorWrites();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ((std::array{writes[0].bytes[0], writes[0].bytes[1]}), (std::array<uint8_t, 2>{5, 3}));
    EXPECT_EQ((std::array{writes[1].bytes[0], writes[1].bytes[1]}), (std::array<uint8_t, 2>{5, 2}));
    EXPECT_EQ(window.Layers(), (std::vector{MacroLayer::B, MacroLayer::A}));
    EXPECT_EQ(window.Tags(window.posted, kLayerKeysMessage), (std::vector{kLedTag, kLedTag}));
    EXPECT_EQ(channels.ActiveLayer(), MacroLayer::A);
}

TEST_F(StatusChannelTest, TrayIconBusyCodeAndItsEndRestoreTheRememberedIcon) {
    StartWith(true);
    ASSERT_TRUE(Settled());
    keyboard->Notify(kCodeTrayIconBusy);
    keyboard->Notify(kCodeTrayIconNormal);
    ASSERT_TRUE(EventuallyTrue([&] { return window.TrayIcons().size() == 3; }));
    EXPECT_EQ(window.TrayIcons(),
              (std::vector{kTrayIconKeyboard, kTrayIconBusy, kTrayIconKeyboard}));
}

TEST_F(StatusChannelTest, TrayIconWithoutKeyboardReturnsToTheNoKeyboardIcon) {
    window.firstShow = true;
    StartWith(false);
    channels.OnNotificationCode(kCodeTrayIconBusy);
    channels.OnNotificationCode(kCodeTrayIconNormal);
    ASSERT_TRUE(EventuallyTrue([&] { return window.TrayIcons().size() == 2; }));
    EXPECT_EQ(window.TrayIcons(), (std::vector{kTrayIconBusy, kTrayIconNoKeyboard}));
}

TEST_F(StatusChannelTest, ProfileKeyStartsTheFollowTimerAndOtherCodesChangeNothing) {
    StartWith(true);
    ASSERT_TRUE(Settled());
    keyboard->ClearFrameLog();
    for (uint16_t code : {0x1801, 0x1802, 0x1803, 0x1804, 0x1234}) keyboard->Notify(code);
    ASSERT_EQ(keyboard->PressProfileKey(), 1);
    ASSERT_TRUE(EventuallyTrue([&] { return window.profileTimers == 1; }));
    EXPECT_TRUE(keyboard->IndicatorWrites().empty());
    EXPECT_TRUE(window.Layers().empty());
    EXPECT_EQ(window.TrayIcons().size(), 1u);
    EXPECT_EQ(channels.LiveWorkers(), 0);
}

TEST_F(StatusChannelTest, FailedDefaultBlockReadShowsThePromptAndKeepsThePreviousBlock) {
    window.firstShow = true;
    StartWith(false);
    keyboard->SetFault(TORVEX_SIM_FAULT_LOST_REPLY, 3);
    ASSERT_EQ(keyboard->Plug(), 1);
    ASSERT_TRUE(EventuallyTrue([&] { return channels.LastDeviceCount() == 1; }));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(window.defaultBlockPrompts, 1);
    EXPECT_EQ(sink.DefaultBlocks(), 0u);
    EXPECT_EQ(sink.Infos(), 1u) << "the information block is still read";
}

TEST_F(StatusChannelTest, BurstOfPlugAndUnplugEndsConsistentWithNoThreadBehind) {
    StartWith(true);
    ASSERT_TRUE(Settled());
    for (int i = 0; i < 25; ++i) {
        keyboard->Unplug();
        keyboard->Plug();
    }
    keyboard->Unplug();
    ASSERT_TRUE(
        EventuallyTrue([&] { return relay.presenceReports == 51 && channels.LiveWorkers() == 0; },
                       std::chrono::milliseconds(30000)));
    EXPECT_EQ(channels.LastDeviceCount(), 0u);
    EXPECT_EQ(window.TrayIcons().back(), kTrayIconNoKeyboard);
    EXPECT_EQ(keyboard->Link().GetActiveProfile(), -1);
}

TEST_F(StatusChannelTest, StopReleasesAWorkerWaitingForTheWindow) {
    window.initialised = false;
    StartWith(true);
    ASSERT_TRUE(EventuallyTrue([&] { return sink.Infos() == 1; }));
    channels.Stop();
    EXPECT_EQ(channels.LiveWorkers(), 0);
    EXPECT_TRUE(window.TrayIcons().empty());
    channels.OnPresenceChanged(0);
    EXPECT_EQ(channels.LiveWorkers(), 0);
}

}  // namespace
}  // namespace tessel
