#pragma once
// What the status channels ask of the main window. Called from the library's
// thread and from short-lived worker threads; the window marshals each call onto
// its own thread and refuses them once its exit sequence has begun.

#include <cstdint>

#include "platform/WindowRequest.h"

namespace tessel {

enum class MacroLayer { A, B };

inline constexpr int kTrayIconNoKeyboard = 128;
inline constexpr int kTrayIconKeyboard = 141;
inline constexpr int kTrayIconBusy = 142;

class StatusWindow {
public:
    virtual ~StatusWindow() = default;

    // Blocks until the window has handled the request.
    virtual intptr_t SendRequest(const WindowRequest& request) = 0;
    virtual void PostRequest(const WindowRequest& request) = 0;
    virtual void HideWindow() = 0;
    virtual bool IsInitialised() const = 0;
    virtual void ShowTrayIcon(int iconId) = 0;
    // Timer 1051: follow a profile change made on the keyboard.
    virtual void StartProfileFollowTimer() = 0;
    // The localised message that the keyboard's default key block could not be read.
    virtual void ShowDefaultKeyBlockPrompt() = 0;
    // The LOCK_AB indicator images and the captions of the nine macro keys.
    virtual void ShowMacroLayer(MacroLayer layer) = 0;

    // While clear, the first presence report with a keyboard shows the window once.
    virtual bool FirstShowFlag() const = 0;
    virtual void SetFirstShowFlag() = 0;
};

// Where the presence worker keeps what it reads from a newly attached keyboard.
class AttachedKeyboardSink {
public:
    virtual ~AttachedKeyboardSink() = default;
    virtual void StoreDefaultKeyBlock(const uint8_t* block192) = 0;
    virtual void StoreDeviceInfo(const uint8_t* info44) = 0;
};

}  // namespace tessel
