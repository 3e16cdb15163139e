#pragma once
// A plain window holding the keyboard picture's buttons under their real
// control ids, with the main window's key pictures (N O D N X) from a skin
// image set, for the keyboard view and flip key tests.

#include <QApplication>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <map>
#include <vector>

#include "mainwindow/FlipKeys.h"
#include "mainwindow/KeyboardView.h"
#include "mainwindow/KeyboardViewButtons.h"
#include "mainwindow/LockIndicators.h"
#include "mainwindow/SkinImageSet.h"
#include "model/KeyButtons.h"
#include "skin/qt/CPngButton.h"

namespace tessel::testing_support {

// Records what the keyboard picture asks of the main window.
class FakeKeyboardHost : public KeyboardViewHost {
public:
    int ActiveProfile() override { return profile; }
    MacroLayer ActiveLayer() const override { return layer; }
    bool LightingSwitchOn() const override { return lightingSwitch; }
    void PaintKey(int controlId) override { painted.push_back(controlId); }
    void EnableApply(bool enable) override { applyCalls.push_back(enable); }
    int OpenKeyEditor(const KeyEditorTarget& target) override {
        targets.push_back(target);
        if (whileEditorOpen) {
            whileEditorOpen(target);
        }
        return 1;
    }

    int profile = 2;
    MacroLayer layer = MacroLayer::A;
    bool lightingSwitch = false;
    std::vector<int> painted;
    std::vector<bool> applyCalls;
    std::vector<KeyEditorTarget> targets;
    std::function<void(const KeyEditorTarget&)> whileEditorOpen;
};

class KeyboardTestWindow {
public:
    KeyboardTestWindow() {
        window_.resize(900, 400);
        int slot = 0;
        const auto add = [&](int id) {
            auto* button = new CPngButton(&window_);
            // Side by side, so that every button can be painted on its own.
            button->setGeometry(10 + (slot % 30) * 28, 10 + (slot / 30) * 28, 24, 24);
            ++slot;
            buttons_[id] = button;
        };
        for (const KeyButton& key : kKeyButtons) {
            add(key.controlId);
        }
        for (const GKeyButton& key : kGKeyButtons) {
            add(key.controlId);
        }
        for (int id : {kFnButton.controlId, keyboard_ids::kHiddenEnter, kLockAbId,
                       keyboard_ids::kModeSwitch, keyboard_ids::kFlipIndicator,
                       keyboard_ids::kLeftFlipButton, keyboard_ids::kRightFlipButton,
                       keyboard_ids::kLeftArrow, keyboard_ids::kRightArrow}) {
            add(id);
        }
        for (int i = 0; i < keyboard_ids::kDKeyCount; ++i) {
            add(keyboard_ids::kFirstDKey + i);
        }
        for (auto& [id, button] : buttons_) {
            button->SetImages(button->x(), button->y(), Picture(SkinImageSet::kNormal),
                              Picture(SkinImageSet::kOver), Picture(SkinImageSet::kDown),
                              Picture(SkinImageSet::kNormal), Picture(SkinImageSet::kDisabled),
                              false);
        }
    }

    CPngButton* Button(int id) const {
        const auto found = buttons_.find(id);
        return found == buttons_.end() ? nullptr : found->second;
    }
    ButtonLookup Lookup() const {
        return [this](int id) { return Button(id); };
    }
    SkinImageSet& Images() { return images_; }
    const QPixmap* Picture(SkinImageSet::Picture which) const { return images_.Get(which); }
    QWidget& Window() { return window_; }

    // Paints the button and returns the sheet it drew from.
    const QPixmap* Drawn(int id) const {
        CPngButton* button = Button(id);
        button->grab();
        return button->LastPicture();
    }

private:
    // Never loaded: each picture is told apart by its address.
    SkinImageSet images_;
    QWidget window_;
    std::map<int, CPngButton*> buttons_;
};

}  // namespace tessel::testing_support
