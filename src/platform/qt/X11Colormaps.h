#pragma once
// Gives each X11 window of ours that uses the screen's default visual the
// screen's default colormap instead of the private one Qt creates for it.
// Screen capture tools that read the screen piece by piece, one piece per
// visual and colormap (xwd -root, the usual way to shoot a bare X server),
// otherwise take a window lying wholly inside another of our windows for part
// of the lower one and read black there. Colours stay the same: both colormaps
// belong to the same visual.

#include <QObject>

struct xcb_connection_t;

namespace tessel {

class X11Colormaps final : public QObject {
public:
    // Watches the application's windows; does nothing on other platforms.
    explicit X11Colormaps(QObject* parent = nullptr);
    ~X11Colormaps() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    xcb_connection_t* m_connection = nullptr;
};

}  // namespace tessel
