#pragma once
// The program's only top-level window: the skinned picture of the keyboard,
// the profile and report-rate buttons, the lighting panel and the key editor.
// The tray-resident core builds it when it is first shown and keeps it; the
// window draws from the core's state and hands every command to it.

#include <QString>
#include <memory>
#include <span>
#include <string_view>

#include "app/AppContext.h"
#include "editors/Tessel_DlgComposite.h"
#include "mainwindow/KeyboardView.h"
#include "mainwindow/LightingPanel.h"
#include "mainwindow/LockIndicators.h"
#include "mainwindow/MainWindowIds.h"
#include "mainwindow/SkinImageSet.h"
#include "skin/qt/CBaseDialog.h"

class QLabel;
class QMenu;

namespace tessel {

class CPngButton;
class FlipKeys;
class ResidentCore;

class CTesselDlg : public CBaseDialog,
                   private KeyboardViewHost,
                   private LightingPanelHost,
                   private KeyEditorHost {
    Q_OBJECT
public:
    static constexpr int kCommandOpen = tessel::kCommandOpen;
    static constexpr int kCommandAbout = tessel::kCommandAbout;
    static constexpr int kCommandExit = tessel::kCommandExit;

    CTesselDlg(AppContext& context, ResidentCore& core, QWidget* parent = nullptr);
    ~CTesselDlg() override;

    bool OnInitDialog() override;
    ResidentCore& Core() const { return m_core; }

    // Shown with a taskbar button; hidden it leaves the program in the tray.
    void ShowNormally();
    // What the core's state says, drawn once the window is built.
    void ShowCoreState();

    // What the core asks the window to show.
    void ShowActiveProfile(int profile, bool announce);
    void ShowApplyEnabled(bool enable);
    void ShowLoadedLighting();
    void ShowLinkedFlags();
    void ShowTransferRunning(bool running);
    void ShowMacroLayer(MacroLayer layer);
    void ShowFocusWait(const QString& text);
    void ShowRestoredDefaults(bool lightingSwitchOn);
    void RefreshKeyButtonLabels() override;
    void ShowAssignments() override;
    void SetSceneButton(const QString& caption, const QString& tooltip);
    // Screen readers hear it.
    void Announce(const QString& text);
    void ApplyLanguage(int index);
    void RefreshLanguageTexts();
    void CloseEditors();
    bool IsKeyEditorOpen() const;
    bool LightingSwitchOn() const override;
    void TurnLightingSwitchOff();

    const SkinImageSet& Images() const { return m_images; }
    LightingPanel* Panel() const { return m_panel.get(); }
    KeyboardView* Keyboard() const { return m_keyboardView.get(); }
    Tessel_DlgComposite* KeyEditor() const { return m_keyEditor.get(); }
    QMenu* CommandMenu() const { return m_commandMenu.get(); }
    void ShowCommandMenu();

protected:
    void OnOK() override;
    void OnCancel() override;
    void keyPressEvent(QKeyEvent* event) override;
    // The button sheets are held only while the window is shown.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The five pictures a skinned button takes: normal, over, down, disabled
    // state, checked.
    enum class Looks {
        Command,     // N O D N N
        Link,        // N O X N N
        Apply,       // N O D X N
        Indicator,   // N N N N O
        FlipMarker,  // N N N N X
        Selectable,  // N O D N X
        Label,       // N N N N N
    };
    void PlaceButton(int id, std::u16string_view entry, Looks looks);
    // Format 37: centred on one line.
    void StyleButtonText(CPngButton& button, int points, unsigned format = 37,
                         const QString& face = QStringLiteral("Arial Unicode MS"));
    void BuildMainLayout();
    void ShowAlternateKeys();
    void ShowLanguageTableTexts();
    void BindWindowCommands();
    void BindProfileCommands();
    void BindKeyboardCommands();
    void CheckButtonOfGroup(std::span<const int> ids, int index);
    void CreateKeyboardParts();
    void CreateKeyEditor();
    void CreateLightingPanel();
    void CreateLockIndicators();

    // What the keyboard picture, the lighting panel and the key editor ask.
    int ActiveProfile() override;
    MacroLayer ActiveLayer() const override;
    void PaintKey(int controlId) override;
    void EnableApply(bool enable) override;
    int OpenKeyEditor(const KeyEditorTarget& target) override;
    bool SwitchToActiveScene() override;
    void ResetKeyLooks() override;
    void ShowKeyColours() override;
    void ShowReportRate(int rate) override;
    void TellLightingSwitchNotSaved() override;
    void TellColourFileNotSaved(int profile) override;
    QWidget* KeyButtonWidget(int controlId) override;
    int LanguageIndex() const override;
    QString LocalText(std::u16string_view key) const;

    AppContext& m_context;
    ResidentCore& m_core;
    MainWindowParts* m_parts;
    std::unique_ptr<QMenu> m_systemMenu;
    SkinImageSet m_images;
    QString m_link;
    std::unique_ptr<QMenu> m_commandMenu;
    std::unique_ptr<LockIndicators> m_lockIndicators;
    std::unique_ptr<FlipKeys> m_flipKeys;
    std::unique_ptr<KeyboardView> m_keyboardView;
    std::unique_ptr<LightingPanel> m_panel;
    std::unique_ptr<Tessel_DlgComposite> m_keyEditor;
    QLabel* m_focusWaitLine = nullptr;  // a child of the window
};

}  // namespace tessel
