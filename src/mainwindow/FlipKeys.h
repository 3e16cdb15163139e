#pragma once
// The flip keys of the main window: one saved setting chooses whether F1..F4 or
// their alternates D1..D6 can be clicked; the flip indicator, the two flip
// buttons and their arrows show which. Also the redraw chains that keep
// overlapping buttons of the keyboard picture drawn in the right order.

#include <filesystem>

#include "mainwindow/KeyboardViewButtons.h"

class QWidget;

namespace tessel {

class ProfileSettings;
class SkinImageSet;

enum class ArrowSide { Left, Right };
// Any arrow index but 0 and 1 keeps the one used last.
inline constexpr int kKeepArrowIndex = -1;

class FlipKeys {
public:
    // `mainIni` is the main skin file (Skins/Main.ini) the arrows are placed from.
    FlipKeys(ButtonLookup buttons, const SkinImageSet& images, ProfileSettings& settings,
             std::filesystem::path mainIni);

    // 0 shows F1..F4, 1 the D keys.
    int ReadFlipSetting() const;
    // Stores the other value, then applies it.
    void ToggleFlipSetting();
    // F1..F4 enabled only with the setting 0, D1..D6 only with 1; the flip
    // indicator drawn from the second normal sheet while flipped.
    void ApplyFlipSetting();

    // Remembers the index (0 or 1) and, when `setFlag`, the visible flag; while
    // visible, places the side's arrow for the flip setting and index.
    void UpdateArrow(ArrowSide side, int index, bool setFlag, bool visible);
    int ArrowIndex() const { return arrowIndex_; }
    bool ArrowVisible() const { return arrowVisible_; }

    // Called by the A/B indicator, Enter, the flip indicator and the two flip
    // buttons after each redraw.
    void OnButtonRedrawn(QWidget* button, bool drewNormal);
    // Gives those buttons their redraw callback; call once they are placed and
    // the flip setting is applied.
    void AttachRedrawChains();

private:
    void RedrawButton(int controlId) const;
    void SetEnabled(int controlId, bool enabled) const;

    ButtonLookup buttons_;
    const SkinImageSet& images_;
    ProfileSettings& settings_;
    std::filesystem::path mainIni_;
    int arrowIndex_ = 0;
    bool arrowVisible_ = false;
};

}  // namespace tessel
