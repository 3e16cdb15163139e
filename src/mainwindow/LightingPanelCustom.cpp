#include "mainwindow/LightingPanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include <utility>

#include "mainwindow/LightingPanelControls.h"
#include "mainwindow/LightingQtColour.h"
#include "model/LightingEffects.h"
#include "model/LightingFiles.h"
#include "model/LightingModel.h"
#include "skin/qt/CBaseDialog.h"
#include "skin/qt/CPngButton.h"
#include "widgets/CSkinColorBtn.h"

// The custom effect: painting tools, the plain and linked colours, the custom
// modes, and the painting of single keys.
namespace tessel {
namespace {

constexpr int kMaxModeNameLength = 260;

}  // namespace

void LightingPanel::ChooseTool(int tool) {
    const int chosen = tool == kLinkedColourTool ? kLinkedColourTool : kPlainColourTool;
    ShowToolPictures(chosen);
    m_model.ChooseTool(chosen);
    TellUnsavedColours();
}

void LightingPanel::TellUnsavedColours() {
    if (const auto profile = m_model.TakeUnsavedColourFile()) {
        m_host.TellColourFileNotSaved(*profile);
    }
}

void LightingPanel::ShowToolPictures(int tool) {
    const bool linked = tool == kLinkedColourTool;
    SetPicture(kIdToolPlain,
               linked ? QStringLiteral("user1up.bmp") : QStringLiteral("user1down.bmp"));
    SetPicture(kIdToolLinked,
               linked ? QStringLiteral("user2down.bmp") : QStringLiteral("user2up.bmp"));
}

void LightingPanel::OnCustomColourPicked(CustomColour which) {
    const int id = which == CustomColour::Plain ? kIdPlainColourButton : kIdLinkedColourButton;
    const CSkinColorBtn* button = ColourButton(id);
    if (!button) {
        return;
    }
    const ColourRef colour = ToColourRef(button->ChosenOrDefault());
    if (which == CustomColour::Plain) {
        m_model.SetPlainCustomColour(colour);
    } else if (colour != m_model.Tools().linkedColour) {
        m_model.SetLinkedColour(colour);
        OutlineLinkedKeys(colour);
    }
    TellUnsavedColours();
}

void LightingPanel::OutlineLinkedKeys(ColourRef colour) {
    ForEachLightingButton([&](LightingButton button) {
        if (!m_model.IsLinked(button) || !LedSlotOf(button)) {
            return;
        }
        if (auto* key = m_window.Item<CPngButton>(ControlIdOf(button))) {
            OutlineKey(*key, colour);
        }
    });
}

void LightingPanel::OnCustomModeSelected() {
    const QComboBox* modes = List(kIdCustomModeList);
    const int mode = modes ? modes->currentIndex() : -1;
    if (mode < 0 || mode >= kCustomModeCount) {
        return;
    }
    m_model.SelectCustomMode(mode);
    ShowCustomModeTools();
    m_host.ShowKeyColours();
    m_renameFailureTold = false;
    TellUnsavedColours();
}

void LightingPanel::OnCustomModeEdited(const QString& text) {
    const QString name = text.left(kMaxModeNameLength);
    if (QComboBox* modes = List(kIdCustomModeList)) {
        const int mode = m_model.PresentMode();
        if (mode < modes->count()) {
            // Renaming the entry must not disturb what the user is typing.
            const QSignalBlocker blocker(modes);
            const int cursor = modes->lineEdit()->cursorPosition();
            modes->setItemText(mode, name);
            modes->lineEdit()->setText(text);
            modes->lineEdit()->setCursorPosition(cursor);
        }
    }
    m_model.RenameCustomMode(name.toStdU16String());
    if (const auto profile = m_model.TakeUnsavedColourFile()) {
        if (!std::exchange(m_renameFailureTold, true)) {
            m_host.TellColourFileNotSaved(*profile);
        }
    } else {
        m_renameFailureTold = false;
    }
}

void LightingPanel::ShowCustomModeTools() {
    if (QComboBox* modes = List(kIdCustomModeList)) {
        const QSignalBlocker blocker(modes);
        const int mode = m_model.PresentMode();
        modes->setCurrentIndex(mode < modes->count() ? mode : -1);
    }
    const ModeTools& tools = m_model.Tools();
    if (auto* linked = ColourButton(kIdLinkedColourButton)) {
        linked->SetColor(ToQColor(tools.linkedColour));
    }
    if (auto* plain = ColourButton(kIdPlainColourButton)) {
        plain->SetColor(ToQColor(tools.plainColour));
    }
    ShowToolPictures(tools.tool);
}

void LightingPanel::LoadCustomModeList() {
    m_model.LoadCustomModes();
    ShowCustomModeList();
}

void LightingPanel::ShowCustomModeList() {
    m_renameFailureTold = false;
    if (!m_model.OffersEffect(kCustomEffect)) {
        return;
    }
    if (QComboBox* modes = List(kIdCustomModeList)) {
        const QSignalBlocker blocker(modes);
        modes->clear();
        for (const std::u16string& name : m_model.ModeNames()) {
            modes->addItem(QString::fromStdU16String(name));
        }
    }
    ShowCustomModeTools();
}

bool LightingPanel::PaintKey(int controlId) {
    if (SelectedEffectCode() != kCustomEffect) {
        return false;
    }
    const auto button = LightingButtonOfControl(controlId);
    if (!button) {
        return false;
    }
    const ModeTools& tools = m_model.Tools();
    const bool linked = tools.tool == kLinkedColourTool;
    const ColourRef colour = linked ? tools.linkedColour : tools.plainColour;
    auto* key = m_window.Item<CPngButton>(controlId);
    if (key) {
        OutlineKey(*key, colour);
    }
    const bool painted = m_model.PaintKey(*button);
    TellUnsavedColours();
    if (!painted) {
        return false;
    }
    if (key) {
        key->SetLinkedFlag(m_model.CurrentProfile(), linked ? 1 : 0);
    }
    return true;
}

void LightingPanel::RecomputeLinkedFlags() {
    if (!m_model.OffersEffect(kCustomEffect)) {
        return;
    }
    for (int profile = 0; profile < kProfileCount; ++profile) {
        const int mode = ValidCustomMode(m_files.ReadPresentMode(profile));
        const ColourRef linkedColour = m_files.ReadModeTools(profile, mode).linkedColour;
        ForEachLightingButton([&](LightingButton button) {
            const auto slot = LedSlotOf(button);
            auto* key = m_window.Item<CPngButton>(ControlIdOf(button));
            if (!slot || !key) {
                return;
            }
            const bool linked = m_files.ReadSlotColour(profile, mode, *slot).colour == linkedColour;
            key->SetLinkedFlag(profile, linked ? 1 : 0);
        });
    }
}

}  // namespace tessel
