// The commands that act on a whole profile: the four profile buttons, Apply,
// restore defaults, the report rate, the command menu with import and export,
// the links, the reload after an attach and following a profile change made
// on the keyboard.

#include <QAction>
#include <QCursor>
#include <QMenu>

#include "device/DeviceConnection.h"
#include "device/DeviceResult.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/CTesselDlg.h"
#include "mainwindow/LightingPanelControls.h"
#include "mainwindow/UnplacedKeysNotice.h"
#include "model/ApplyAssignments.h"
#include "model/AssignmentEdits.h"
#include "model/KeyBlockCodec.h"
#include "model/LightingEffects.h"
#include "model/LightingModel.h"
#include "platform/Prompter.h"
#include "platform/ShellOpen.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinAccessibility.h"
#include "storage/ConfigFile.h"
#include "storage/DataFolder.h"
#include "storage/ImportExport.h"
#include "storage/LightingFileStore.h"
#include "storage/SceneFile.h"
#include "storage/WriteFailureNotice.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"

namespace tessel {

namespace {

// Restoring defaults clears six bytes of the current profile's lighting record.
constexpr int kDefaultsFieldOffset = 18;
constexpr std::array<uint8_t, 6> kDefaultsFieldBytes{};
constexpr int kDefaultReportRate = 0;
constexpr std::u16string_view kOtherKeyboardQuestion = u"IDS_MAIN_OTHER_KEYBOARD";

struct WebLink {
    int id;
    std::u16string_view target;
};
constexpr WebLink kWebLinks[] = {
    {kIdWebLink, u"https://www.zerkon.example/"},
    {kIdFacebookLink, u"https://www.facebook.com/zerkon.example"},
    {kIdTwitterLink, u"https://twitter.com/zerkon_example"},
};

bool IsProfile(int profile) {
    return profile >= 0 && profile < static_cast<int>(std::size(kProfileButtonIds));
}

}  // namespace

void CTesselDlg::CreateProfileModels() {
    if (!m_device) {
        return;
    }
    m_dataFolder = m_parts->dataFolder.empty() ? UserDataFolder() : m_parts->dataFolder;
    m_sceneFile = std::make_unique<SceneFile>(m_dataFolder, m_context.editStore);
    m_lightingFiles = std::make_unique<LightingFileStore>(
        m_context.paths.colourFilePrefix.parent_path(), m_dataFolder);
    m_lighting = std::make_unique<LightingModel>(*m_session, *m_lightingFiles);
}

void CTesselDlg::BindProfileCommands() {
    for (int profile = 0; profile < static_cast<int>(std::size(kProfileButtonIds)); ++profile) {
        BindCommand(kProfileButtonIds[profile], [this, profile] { SelectProfile(profile); });
    }
    for (int rate = 0; rate < static_cast<int>(std::size(kReportRateButtonIds)); ++rate) {
        BindCommand(kReportRateButtonIds[rate], [this, rate] { SetReportRate(rate); });
    }
    BindCommand(kIdApply, [this] { ApplyChanges(); });
    BindCommand(kIdDefaults, [this] { RestoreDefaults(); });
    BindCommand(kIdCommandMenu, [this] { ShowCommandMenu(); });
    BindCommand(kIdTestButton, [this] {
        if (m_session) {
            m_session->Submit([](DeviceLink& link) { return link.TestCommand(); });
        }
    });
    BindCommand(kCommandImport, [this] { ImportFile(); });
    BindCommand(kCommandExport, [this] { ExportFile(); });
    BindCommand(kCommandAppProfiles, [this] { OpenAppProfiles(); });
    BindCommand(kIdLink,
                [this] { ShellOpen(m_link.toStdU16String(), u"", {}, ShowCommand::Normal); });
    for (const WebLink& link : kWebLinks) {
        BindCommand(link.id,
                    [target = link.target] { ShellOpen(target, u"", {}, ShowCommand::Normal); });
    }
}

void CTesselDlg::CheckButtonOfGroup(std::span<const int> ids, int index) {
    for (int i = 0; i < static_cast<int>(ids.size()); ++i) {
        if (auto* button = Item<CPngButton>(ids[i])) {
            button->SetChecked(i == index);
        }
    }
}

void CTesselDlg::EnableApply(bool enable) {
    if (enable) {
        ++m_editGeneration;
    }
    m_applyEnabled = enable;
    if (QWidget* apply = GetDlgItem(kIdApply)) {
        apply->setEnabled(enable);
    }
    if (!enable) {
        // A switch to follow the application in front may wait for this.
        FocusHoldMayHaveEnded();
    }
}

namespace {

constexpr char16_t kActiveKey[] = u"IDS_A11Y_PROFILE_ACTIVE";

// Readers hear which profile is active now, by its button's caption.
void SayProfile(CBaseDialog& window, int profile, const QString& prompt) {
    if (const auto* button = window.Item<CPngButton>(kProfileButtonIds[profile])) {
        Announce(window, prompt + QLatin1Char(' ') + button->text());
    }
}

}  // namespace

void CTesselDlg::SelectProfile(int profile) {
    SelectProfileThen(profile, {});
}

bool CTesselDlg::SelectProfileThen(int profile, std::function<void(int)> switched) {
    if (!m_lighting || !m_panel || !IsProfile(profile)) {
        return false;
    }
    m_lighting->SetCurrentProfile(profile);
    ReloadCurrentLighting();
    if (m_panel->LightingSwitchOn()) {
        m_panel->TurnLightingSwitchOff();
    }
    if (ActiveProfile() == profile) {
        if (switched) {
            switched(kDeviceDone);
        }
        return true;
    }
    // A refused or failed switch leaves the new lighting on screen but the
    // buttons and the keyboard's profile as they were.
    return m_scenes->SwitchScene(profile,
                                 [this, profile, switched = std::move(switched)](int result) {
                                     if (result == kDeviceDone) {
                                         CheckButtonOfGroup(kProfileButtonIds, profile);
                                         m_keyboardView->SetColourKeysMode(false);
                                         SayProfile(*this, profile, LocalText(kActiveKey));
                                     }
                                     if (switched) {
                                         switched(result);
                                     }
                                 }) == 1;
}

void CTesselDlg::FillProfileButtons() {
    if (!m_device || !m_lighting) {
        return;
    }
    const int active = m_session->CachedActiveProfile();
    if (!IsProfile(active)) {
        return;
    }
    CheckButtonOfGroup(kProfileButtonIds, active);
    m_lighting->SetCurrentProfile(active);
}

// The custom modes belong to the lighting: without them the present mode,
// the tools and the colour mirror would be defaults that painting writes over
// the user's saved mode.
void CTesselDlg::ReloadCurrentLighting(std::function<void()> reloaded) {
    m_lighting->LoadLighting([this, reloaded = std::move(reloaded)](bool) {
        m_panel->LoadCustomModeList();
        m_panel->FillLightingPanel();
        if (reloaded) {
            reloaded();
        }
    });
}

// Timer 1051: the keyboard's own profile key was pressed.
void CTesselDlg::OnProfileFollowTimer() {
    m_profileFollowTimer.stop();
    if (!m_session || !m_panel) {
        return;
    }
    auto info = std::make_shared<std::array<uint8_t, kDeviceInfoSize>>();
    m_session->Submit([info](DeviceLink& link) { return link.ReadDeviceInfo(*info); },
                      [this, info](int result) {
                          if (result != kDeviceDone) {
                              return;
                          }
                          const int profile = (*info)[kActiveProfileAt];
                          if (profile == m_lighting->CurrentProfile()) {
                              ReloadCurrentLighting();
                          } else if (IsProfile(profile)) {
                              // Exactly as a click on that profile's button.
                              SendCommand(kProfileButtonIds[profile]);
                          }
                      });
}

void CTesselDlg::ReloadAfterAttach() {
    if (!m_session || !m_panel) {
        return;
    }
    auto afterScene = [this] {
        FillProfileButtons();
        ReloadCurrentLighting([this] {
            if (m_lighting->OffersEffect(kCustomEffect)) {
                m_panel->RecomputeLinkedFlags();
            }
        });
    };
    if (m_applyEnabled) {
        KeepEditsOverAttach(afterScene);
        return;
    }
    m_scenes->LoadScene(afterScene);
}

// Edits not yet applied survive a cable wiggle: the store is not rebuilt from
// the keyboard, and Apply stays enabled for them. A keyboard whose key blocks
// are not those of the scene file is another one (or was changed elsewhere):
// the user decides whether the edits are meant for it.
void CTesselDlg::KeepEditsOverAttach(std::function<void()> afterScene) {
    auto blocks = std::make_shared<std::optional<KeyBlocks>>();
    m_session->Submit(
        [blocks](DeviceLink& link) {
            // Also refreshes the active profile the buttons show.
            if (link.GetActiveProfile() < 0) {
                return kDeviceDone;
            }
            KeyBlocks read{};
            for (int block = 0; block < kKeyBlockCount; ++block) {
                if (link.ReadKeyBlock(read[static_cast<std::size_t>(block)], block) != 1) {
                    return kDeviceDone;
                }
            }
            *blocks = read;
            return kDeviceDone;
        },
        [this, blocks, afterScene](int) {
            if (*blocks && !HoldsSceneFileKeys(**blocks) &&
                m_parts->prompter.ShowMessage(LocalText(kOtherKeyboardQuestion).toStdU16String(),
                                              u"", PromptButtons::YesNo,
                                              PromptIcon::Question) == PromptAnswer::No) {
                EnableApply(false);
                m_scenes->LoadScene(afterScene);
                return;
            }
            RefreshKeyButtonLabels();
            m_scenes->BuildSceneMenu(false);
            afterScene();
        },
        KeyboardJobs::OnFailure::Quiet);
}

bool CTesselDlg::HoldsSceneFileKeys(const KeyBlocks& blocks) const {
    const std::optional<Configuration> scene = ReadConfigFile(m_sceneFile->Path());
    if (!scene) {
        return false;
    }
    const KeyBlock defaults = m_parts->keyboard.DefaultKeyBlock();
    for (int profile = 0; profile < kKeyBlockCount; ++profile) {
        if (BuildKeyBlock(*scene->image, scene->macros, profile, defaults) !=
            blocks[static_cast<std::size_t>(profile)]) {
            return false;
        }
    }
    return true;
}

ApplyServices CTesselDlg::ApplyServicesForWindow(Prompter* prompter) {
    return ApplyServices{m_device->Link(), m_parts->keyboard,
                         prompter ? *prompter : m_parts->prompter, m_parts->languageTable,
                         *m_texts};
}

ImportExportContext CTesselDlg::FileContext() {
    return ImportExportContext{m_context.editStore, m_parts->prompter, m_parts->languageTable,
                               m_dataFolder, *m_texts};
}

void CTesselDlg::ApplyChanges() {
    if (!m_session || !m_panel) {
        return;
    }
    // Asked again while this apply's questions are shown: it runs after them.
    if (m_preparingApply) {
        m_applyAskedAgain = true;
        return;
    }
    m_panel->StartProgress();
    if (!m_applyEnabled) {
        if (m_appliesInFlight == 0) {
            m_panel->StopProgress();
        }
        return;
    }
    TellUnplacedKeys(m_context.editStore, ActiveProfile(), m_parts->keyboard.DefaultKeyBlock(),
                     m_parts->prompter, *m_texts, m_parts->languageTable);
    const auto lock = m_context.editStore.Lock();
    const bool saved = m_sceneFile->SaveSceneFile();
    if (m_sceneFile->WriteFailed()) {
        ReportFailedWrite(m_sceneFile->Path(), m_parts->prompter, *m_texts,
                          m_sceneFile->WriteFailure());
    }
    StartApplyTransfer(false, [this, saved](std::optional<int> result, bool editedMeanwhile) {
        // An edit made meanwhile has not reached the keyboard.
        if (saved && result == kDeviceDone && !editedMeanwhile) {
            EnableApply(false);
        }
    });
}

void CTesselDlg::RestoreDefaults() {
    if (!m_session || !m_panel) {
        return;
    }
    const PromptAnswer answer = m_parts->prompter.ShowMessage(
        LocalText(m_parts->languageTable.TextKey(TextKeyEntry::MAIN_PROMPT_DEFAULT))
            .toStdU16String(),
        u"", PromptButtons::YesNoDefaultNo, PromptIcon::Question);
    if (answer != PromptAnswer::Yes) {
        return;
    }
    ClearProfileKeys(m_context.editStore, ActiveProfile(), m_macroLayer == MacroLayer::B);
    m_keyboardView->RefreshKeyButtonLabels();
    m_keyboardView->ShowColourKeyLooks();
    EnableApply(true);
    m_lighting->SetLightingField(kDefaultsFieldOffset, kDefaultsFieldBytes);
    if (m_panel->LightingSwitchOn()) {
        m_lighting->RestoreLightingDefaults();
        if (const auto profile = m_lighting->TakeUnsavedColourFile()) {
            TellColourFileNotSaved(*profile);
        }
        m_panel->LoadCustomModeList();
        m_panel->FillLightingPanel();
    }
    // Only the buttons: the keyboard keeps its report rate.
    CheckButtonOfGroup(kReportRateButtonIds, kDefaultReportRate);
    ApplyChanges();
}

void CTesselDlg::SetReportRate(int rate) {
    if (!m_lighting || rate < 0 || rate >= static_cast<int>(std::size(kReportRateButtonIds))) {
        return;
    }
    CheckButtonOfGroup(kReportRateButtonIds, rate);
    m_lighting->SetReportRate(rate);
}

void CTesselDlg::ShowCommandMenu() {
    if (!m_parts) {
        return;
    }
    if (!m_commandMenu) {
        m_commandMenu = std::make_unique<QMenu>(this);
        for (int command : {kCommandImport, kCommandExport, kCommandAppProfiles}) {
            QAction* action = m_commandMenu->addAction(QString());
            action->setData(command);
            connect(action, &QAction::triggered, this, [this, command] { SendCommand(command); });
        }
    }
    const QList<QAction*> actions = m_commandMenu->actions();
    actions[0]->setText(LocalText(u"IDS_BUTTON_MENU_IMPORT"));
    actions[1]->setText(LocalText(u"IDS_BUTTON_MENU_EXPORT"));
    actions[2]->setText(AppProfilesMenuText());
    m_commandMenu->popup(QCursor::pos());
}

void CTesselDlg::ImportFile() {
    if (!m_session || !m_panel) {
        return;
    }
    if (LoadImportFile(FileContext()) != ImportResult::Imported) {
        return;
    }
    m_keyboardView->ShowAssignments();
    EnableApply(false);
    m_panel->StartProgress();
    StartApplyTransfer(true, [](std::optional<int>, bool) {});
}

void CTesselDlg::ExportFile() {
    if (!m_device) {
        return;
    }
    ExportConfiguration(FileContext());
}

}  // namespace tessel
