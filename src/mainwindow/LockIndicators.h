#pragma once
// The main window's lock indicators and the captions of the nine macro keys.
// Caps, Num and Scroll Lock keep the pictures the layout gave them; only the
// A/B indicator changes, with the macro-key layer. None reacts to a click.

#include <QPoint>
#include <array>
#include <string_view>

#include "device/StatusWindow.h"
#include "model/KeyButtons.h"
#include "model/MacroKeyLayer.h"

class QPixmap;

namespace tessel {

class CPngButton;

inline constexpr int kLockCapsId = 1125;
inline constexpr int kLockNumId = 1126;
inline constexpr int kLockScrollId = 1127;
inline constexpr int kLockAbId = 1128;
struct LockIndicatorSkin {
    int id;
    std::u16string_view entry;
};
inline constexpr std::array<LockIndicatorSkin, 4> kLockIndicators = {{
    {kLockCapsId, u"LOCK_CAPS"},
    {kLockNumId, u"LOCK_NUM"},
    {kLockScrollId, u"LOCK_SCROLL"},
    {kLockAbId, u"LOCK_AB"},
}};

struct LockIndicatorButtons {
    CPngButton* caps = nullptr;
    CPngButton* num = nullptr;
    CPngButton* scroll = nullptr;
    CPngButton* ab = nullptr;
    // G1..G9 in bank position order.
    std::array<CPngButton*, kGKeyButtonCount> macroKeys{};
};

class LockIndicators {
public:
    // The sheets are the main skin's normal and over pictures, owned by the window.
    LockIndicators(const LockIndicatorButtons& buttons, const QPixmap* normalSheet,
                   const QPixmap* overSheet);

    // Disables the four indicators; call once they are placed.
    void DisableIndicators();
    // The A/B indicator's pictures and the macro keys' captions for the layer.
    void ShowLayer(MacroLayer layer);

private:
    LockIndicatorButtons buttons_;
    const QPixmap* normalSheet_;
    const QPixmap* overSheet_;
};

}  // namespace tessel
