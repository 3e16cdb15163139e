#pragma once
// What the keyboard reports on its own: attach and removal on the command
// channel and notification codes on the consumer channel. Presence reports run
// on short-lived worker threads, taking effect one at a time in the order they
// arrived; notification codes are handled on the library's thread.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include "device/DeviceEvents.h"
#include "device/OrderedTurns.h"
#include "device/StatusWindow.h"
#include "platform/MainWindowRequests.h"

namespace tessel {

class DeviceConnection;
class KeyboardSession;

// Notification codes of the consumer channel.
inline constexpr uint16_t kCodeLayerToggle = 0x02FF;
inline constexpr uint16_t kCodeProfileChanged = 0x0401;
inline constexpr uint16_t kCodeTrayIconNormal = 0x1810;
inline constexpr uint16_t kCodeTrayIconBusy = 0x1811;

class StatusChannels final : public StatusChannelListener {
public:
    StatusChannels(StatusWindow& window, AttachedKeyboardSink& keyboard);
    // Stops and waits for every worker.
    ~StatusChannels() override;

    // Reports that arrive before this are covered by the start-up count. The
    // reads of an attach are jobs of the keyboard's session.
    void Start(DeviceConnection& connection, KeyboardSession& keyboard,
               uint32_t startupDeviceCount);
    // No worker reaches the window after this returns; waits for all of them.
    void Stop();

    void OnPresenceChanged(uint32_t deviceCount) override;
    void OnNotificationCode(uint16_t code) override;

    MacroLayer ActiveLayer() const { return activeLayer_; }
    uint32_t LastDeviceCount() const { return lastDeviceCount_; }
    int RememberedTrayIcon() const { return rememberedTrayIcon_; }
    // Worker threads still running (presence and tray icon).
    int LiveWorkers() const;

private:
    void StartPresenceWorker(uint32_t deviceCount);
    void RunPresenceWorker(uint32_t deviceCount);
    void ToggleLayer();
    void StartTrayIconChange(uint16_t code);
    // Runs `work` on a thread of its own, counted until it ends.
    void Launch(std::function<void()> work);
    bool WaitForInitialisedWindow();

    StatusWindow& window_;
    AttachedKeyboardSink& keyboard_;
    std::atomic<DeviceConnection*> connection_{nullptr};
    KeyboardSession* session_ = nullptr;
    std::atomic<bool> stopping_{false};
    OrderedTurns presenceTurns_;
    OrderedTurns trayIconTurns_;

    std::atomic<uint32_t> lastDeviceCount_{0};
    std::atomic<int> rememberedTrayIcon_{kTrayIconNoKeyboard};
    // Mirrors bit 0 of the indicator state for readers on other threads.
    std::atomic<MacroLayer> activeLayer_{MacroLayer::A};

    mutable std::mutex workersMutex_;
    std::condition_variable workersDone_;
    int liveWorkers_ = 0;
};

}  // namespace tessel
