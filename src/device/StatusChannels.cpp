#include "device/StatusChannels.h"

#include <array>
#include <chrono>
#include <thread>

#include "device/DeviceConnection.h"
#include "device/DeviceResult.h"
#include "device/KeyboardSession.h"

namespace tessel {

namespace {
constexpr auto kInitialisedPoll = std::chrono::milliseconds(50);
constexpr auto kTrayIconSettle = std::chrono::milliseconds(1);
constexpr uint8_t kLayerBit = 0x01;
}  // namespace

StatusChannels::StatusChannels(StatusWindow& window, AttachedKeyboardSink& keyboard)
    : window_(window), keyboard_(keyboard) {}

StatusChannels::~StatusChannels() {
    Stop();
}

void StatusChannels::Start(DeviceConnection& connection, KeyboardSession& keyboard,
                           uint32_t startupDeviceCount) {
    session_ = &keyboard;
    connection_ = &connection;
    StartPresenceWorker(startupDeviceCount);
}

void StatusChannels::Stop() {
    stopping_ = true;
    presenceTurns_.Stop();
    trayIconTurns_.Stop();
    std::unique_lock lock(workersMutex_);
    workersDone_.wait(lock, [&] { return liveWorkers_ == 0; });
}

void StatusChannels::OnPresenceChanged(uint32_t deviceCount) {
    if (connection_ == nullptr)
        return;
    StartPresenceWorker(deviceCount);
}

void StatusChannels::OnNotificationCode(uint16_t code) {
    if (stopping_ || connection_ == nullptr)
        return;
    switch (code) {
        case kCodeLayerToggle:
            ToggleLayer();
            break;
        case kCodeProfileChanged:
            window_.StartProfileFollowTimer();
            break;
        case kCodeTrayIconNormal:
        case kCodeTrayIconBusy:
            StartTrayIconChange(code);
            break;
        default:
            // 0x1801..0x1804 and everything else: no effect.
            break;
    }
}

int StatusChannels::LiveWorkers() const {
    std::lock_guard lock(workersMutex_);
    return liveWorkers_;
}

void StatusChannels::StartPresenceWorker(uint32_t deviceCount) {
    // The ticket is drawn here, in report order, so overlapping workers cannot
    // leave an older count behind as the last one.
    const uint64_t ticket = presenceTurns_.DrawTicket();
    Launch([this, ticket, deviceCount] {
        if (presenceTurns_.WaitForTurn(ticket))
            RunPresenceWorker(deviceCount);
        presenceTurns_.EndTurn(ticket);
    });
}

void StatusChannels::RunPresenceWorker(uint32_t deviceCount) {
    DeviceConnection& connection = *connection_;
    KeyboardSession& session = *session_;
    const uint32_t last = lastDeviceCount_;
    if (deviceCount == last)
        return;

    if (deviceCount == 0) {
        connection.Link().ForgetActiveProfile();
        window_.SendRequest({kCloseEditorsMessage, 0, 0});
        window_.HideWindow();
    } else {
        window_.SendRequest({kOpenMessage, kRevTag, 0});
        // Two jobs, each with its own tries, taking their turn with whatever
        // the window sends; this thread waits, the window does not.
        std::array<uint8_t, kKeyBlockSize> block{};
        if (session.Run([&](DeviceLink& link) { return link.ReadDefaultKeyBlock(block); }) ==
            kDeviceDone)
            keyboard_.StoreDefaultKeyBlock(block.data());
        else
            window_.ShowDefaultKeyBlockPrompt();
        std::array<uint8_t, kDeviceInfoSize> info{};
        if (session.Run([&](DeviceLink& link) { return link.ReadDeviceInfo(info); }) == kDeviceDone)
            keyboard_.StoreDeviceInfo(info.data());
        window_.SendRequest({kProfileReloadMessage, kProfTag, 0});
    }

    if (!WaitForInitialisedWindow())
        return;
    const int icon = deviceCount > 0 ? kTrayIconKeyboard : kTrayIconNoKeyboard;
    window_.ShowTrayIcon(icon);
    rememberedTrayIcon_ = icon;
    lastDeviceCount_ = deviceCount;

    if (!window_.FirstShowFlag()) {
        if (deviceCount > 0)
            window_.PostRequest({kOpenMessage, kOpenTag, 0});
        window_.SetFirstShowFlag();
    }
}

bool StatusChannels::WaitForInitialisedWindow() {
    while (!window_.IsInitialised()) {
        if (stopping_)
            return false;
        std::this_thread::sleep_for(kInitialisedPoll);
    }
    return !stopping_;
}

void StatusChannels::ToggleLayer() {
    DeviceConnection& connection = *connection_;
    auto& state = connection.IndicatorState();
    state[1] ^= kLayerBit;
    connection.WriteIndicatorState();
    activeLayer_ = (state[1] & kLayerBit) ? MacroLayer::B : MacroLayer::A;
    // Posted, not sent: this runs on the library's thread, and a window busy in a
    // transaction would otherwise wait for a reply this thread has to deliver.
    window_.PostRequest({kLayerKeysMessage, kLedTag, 0});
    window_.ShowMacroLayer(ActiveLayer());
}

void StatusChannels::StartTrayIconChange(uint16_t code) {
    const uint64_t ticket = trayIconTurns_.DrawTicket();
    Launch([this, ticket, code] {
        if (trayIconTurns_.WaitForTurn(ticket)) {
            window_.ShowTrayIcon(code == kCodeTrayIconBusy ? kTrayIconBusy
                                                           : rememberedTrayIcon_.load());
            std::this_thread::sleep_for(kTrayIconSettle);
        }
        trayIconTurns_.EndTurn(ticket);
    });
}

void StatusChannels::Launch(std::function<void()> work) {
    {
        std::lock_guard lock(workersMutex_);
        if (stopping_)
            return;
        ++liveWorkers_;
    }
    std::thread([this, work = std::move(work)] {
        work();
        // Notified under the lock so Stop cannot return (and this object go away)
        // before this thread is done with it.
        std::lock_guard lock(workersMutex_);
        --liveWorkers_;
        workersDone_.notify_all();
    }).detach();
}

}  // namespace tessel
