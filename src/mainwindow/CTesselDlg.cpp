#include "mainwindow/CTesselDlg.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>

#include "app/ApplicationIcon.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/CAboutDlg.h"
#include "mainwindow/FlipKeys.h"
#include "mainwindow/LightingPanelControls.h"
#include "mainwindow/MainInputFilter.h"
#include "model/LightingEffects.h"
#include "model/LightingModel.h"
#include "platform/qt/QtText.h"
#include "resident/ResidentCore.h"
#include "skin/qt/CPngButton.h"
#include "text/LocalText.h"

namespace tessel {

CTesselDlg::CTesselDlg(AppContext& context, ResidentCore& core, QWidget* parent)
    : CBaseDialog(MainDialogTemplate(), parent, context.paths.mainSkinFile,
                  context.paths.mainSkinFolder),
      m_context(context),
      m_core(core),
      m_parts(context.parts) {
    setWindowIcon(ApplicationIcon());
}

CTesselDlg::~CTesselDlg() = default;

bool CTesselDlg::OnInitDialog() {
    // The controls and the skin; the system menu.
    if (m_parts) {
        CBaseDialog::OnInitDialog();
    } else {
        BuildControls();
    }
    m_systemMenu = std::make_unique<QMenu>();
    m_systemMenu->addSeparator();
    QAction* about = m_systemMenu->addAction(QStringLiteral("&About..."));
    connect(about, &QAction::triggered, this, [this] { SendCommand(kCommandSystemAbout); });
    BindWindowCommands();

    // The skin pictures, the layout, and the parts that show the keyboard.
    if (m_parts) {
        m_images.Load(m_context.paths.programFolder, *this);
        CreateKeyboardParts();
        BuildMainLayout();
        CreateLockIndicators();
        BindProfileCommands();
        BindKeyboardCommands();
        auto* filter = new MainInputFilter(*this, GetDlgItem(kIdEffectList));
        filter->Install();
    }
    // No taskbar button while hidden.
    setWindowFlag(Qt::Tool, true);
    setWindowTitle(m_parts ? LocalText(u"IDS_MAIN_CAPTION")
                           : QGuiApplication::applicationDisplayName());
    if (m_keyboardView) {
        m_keyboardView->SetColourKeysMode(false);
    }
    return true;
}

void CTesselDlg::ShowCoreState() {
    ShowApplyEnabled(m_core.IsApplyEnabled());
    if (!m_parts) {
        return;
    }
    ApplyLanguage(m_core.LanguageIndex());
    ShowMacroLayer(m_core.ShownMacroLayer());
    const int active = m_core.ActiveProfile();
    if (active >= 0 && active < kProfileCount) {
        ShowActiveProfile(active, false);
    }
    // Only once the keyboard told which effects it offers.
    const LightingModel* lighting = m_core.Lighting();
    if (lighting && !lighting->OfferedEffectCodes().empty()) {
        ShowLoadedLighting();
        if (lighting->OffersEffect(kCustomEffect)) {
            ShowLinkedFlags();
        }
    }
    ShowAssignments();
    ShowTransferRunning(m_core.IsTransferRunning());
}

void CTesselDlg::CreateLockIndicators() {
    // A skin without these entries leaves them hidden; the indicators still work.
    LockIndicatorButtons buttons;
    buttons.caps = Item<CPngButton>(kLockCapsId);
    buttons.num = Item<CPngButton>(kLockNumId);
    buttons.scroll = Item<CPngButton>(kLockScrollId);
    buttons.ab = Item<CPngButton>(kLockAbId);
    for (const GKeyButton& key : kGKeyButtons) {
        buttons.macroKeys[key.position] = Item<CPngButton>(key.controlId);
    }
    m_lockIndicators = std::make_unique<LockIndicators>(
        buttons, m_images.Get(SkinImageSet::kNormal), m_images.Get(SkinImageSet::kOver));
    m_lockIndicators->DisableIndicators();
}

void CTesselDlg::ShowMacroLayer(MacroLayer layer) {
    if (m_lockIndicators) {
        m_lockIndicators->ShowLayer(layer);
    }
}

MacroLayer CTesselDlg::ActiveLayer() const {
    return m_core.ActiveLayer();
}

int CTesselDlg::ActiveProfile() {
    return m_core.ActiveProfile();
}

int CTesselDlg::LanguageIndex() const {
    return m_core.LanguageIndex();
}

QString CTesselDlg::LocalText(std::u16string_view key) const {
    return m_core.LocalText(key);
}

void CTesselDlg::EnableApply(bool enable) {
    m_core.EnableApply(enable);
}

void CTesselDlg::ShowApplyEnabled(bool enable) {
    if (QWidget* apply = GetDlgItem(kIdApply)) {
        apply->setEnabled(enable);
    }
}

bool CTesselDlg::SwitchToActiveScene() {
    SceneSwitch* scenes = m_core.Scenes();
    return scenes && scenes->SwitchScene(m_core.ActiveProfile()) == 1;
}

void CTesselDlg::TellLightingSwitchNotSaved() {
    m_core.TellLightingSwitchNotSaved();
}

void CTesselDlg::TellColourFileNotSaved(int profile) {
    m_core.TellColourFileNotSaved(profile);
}

}  // namespace tessel
