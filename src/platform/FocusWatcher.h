#pragma once
// Tells which application is in front, as the desktop reports it: one
// implementation per mechanism (X11 EWMH, wlroots foreign toplevels, the KWin
// scripting interface). None polls: each waits on its connection's socket and
// reports once per change of the window in front.

#include <functional>
#include <string>
#include <vector>

namespace tessel {

struct FocusedWindow {
    // The X11 WM_CLASS class or the Wayland app id, else the executable's
    // name; empty when neither is known.
    std::u16string application;
    int pid = 0;  // 0 when unknown
};

class FocusWatcher {
public:
    using FrontChanged = std::function<void(const FocusedWindow&)>;

    virtual ~FocusWatcher() = default;
    // Reports every later change; the window in front now is reported first
    // when there is one. Called once.
    virtual void Watch(FrontChanged changed) = 0;
    // The applications with windows open now, each once, in no set order.
    virtual std::vector<std::u16string> OpenApplications() = 0;
};

}  // namespace tessel
