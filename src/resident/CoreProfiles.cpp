// The commands that act on a whole profile, with or without the window:
// switching profiles, Apply, restoring defaults, the report rate, import and
// export, the reload after an attach and following a profile change made on
// the keyboard.

#include "device/DeviceConnection.h"
#include "device/DeviceResult.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/CTesselDlg.h"
#include "mainwindow/UnplacedKeysNotice.h"
#include "model/ApplyAssignments.h"
#include "model/AssignmentEdits.h"
#include "model/KeyBlockCodec.h"
#include "model/LightingEffects.h"
#include "model/LightingModel.h"
#include "platform/AtomicFile.h"
#include "platform/Prompter.h"
#include "resident/ResidentCore.h"
#include "storage/ConfigFile.h"
#include "storage/ImportExport.h"
#include "storage/LightingFileStore.h"
#include "storage/SceneFile.h"
#include "storage/UserSettingsFile.h"
#include "storage/WriteFailureNotice.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"

namespace tessel {

namespace {

// Restoring defaults clears six bytes of the current profile's lighting record.
constexpr int kDefaultsFieldOffset = 18;
constexpr std::array<uint8_t, 6> kDefaultsFieldBytes{};
constexpr std::u16string_view kOtherKeyboardQuestion = u"IDS_MAIN_OTHER_KEYBOARD";

bool IsProfile(int profile) {
    return profile >= 0 && profile < kProfileCount;
}

}  // namespace

int ResidentCore::ActiveProfile() const {
    return m_session ? m_session->CachedActiveProfile() : -1;
}

void ResidentCore::EnableApply(bool enable) {
    if (enable) {
        ++m_editGeneration;
    }
    m_applyEnabled = enable;
    if (m_window) {
        m_window->ShowApplyEnabled(enable);
    }
    if (!enable) {
        // A switch to follow the application in front may wait for this.
        FocusHoldMayHaveEnded();
    }
}

void ResidentCore::SelectProfile(int profile) {
    SelectProfileThen(profile, {});
}

bool ResidentCore::SelectProfileThen(int profile, std::function<void(int)> switched) {
    if (!m_lighting || !IsProfile(profile)) {
        return false;
    }
    m_lighting->SetCurrentProfile(profile);
    ReloadCurrentLighting();
    TurnLightingSwitchOff();
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
                                     if (result == kDeviceDone && m_window) {
                                         m_window->ShowActiveProfile(profile, true);
                                     }
                                     if (switched) {
                                         switched(result);
                                     }
                                 }) == 1;
}

void ResidentCore::TurnLightingSwitchOff() {
    if (m_window) {
        m_window->TurnLightingSwitchOff();
    } else if (m_lighting->LightingSwitch() && !m_lighting->SetLightingSwitch(false)) {
        TellLightingSwitchNotSaved();
    }
}

void ResidentCore::FillProfileButtons() {
    if (!m_device || !m_lighting) {
        return;
    }
    const int active = ActiveProfile();
    if (!IsProfile(active)) {
        return;
    }
    if (m_window) {
        m_window->ShowActiveProfile(active, false);
    }
    m_lighting->SetCurrentProfile(active);
}

// The custom modes belong to the lighting: without them the present mode,
// the tools and the colour mirror would be defaults that painting writes over
// the user's saved mode.
void ResidentCore::ReloadCurrentLighting(std::function<void()> reloaded) {
    m_lighting->LoadLighting([this, reloaded = std::move(reloaded)](bool) {
        m_lighting->LoadCustomModes();
        if (m_window) {
            m_window->ShowLoadedLighting();
        }
        if (reloaded) {
            reloaded();
        }
    });
}

// Timer 1051: the keyboard's own profile key was pressed.
void ResidentCore::OnProfileFollowTimer() {
    m_profileFollowTimer.stop();
    if (!m_session || !m_lighting) {
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
                              SelectProfile(profile);
                          }
                      });
}

void ResidentCore::ReloadAfterAttach() {
    if (!m_session || !m_lighting) {
        return;
    }
    auto afterScene = [this] {
        FillProfileButtons();
        ReloadCurrentLighting([this] {
            if (m_window && m_lighting->OffersEffect(kCustomEffect)) {
                m_window->ShowLinkedFlags();
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
void ResidentCore::KeepEditsOverAttach(std::function<void()> afterScene) {
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

bool ResidentCore::HoldsSceneFileKeys(const KeyBlocks& blocks) const {
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

ApplyServices ResidentCore::ApplyServicesForCore(Prompter* prompter) {
    return ApplyServices{m_device->Link(), m_parts->keyboard,
                         prompter ? *prompter : m_parts->prompter, m_parts->languageTable,
                         *m_texts};
}

ImportExportContext ResidentCore::FileContext() {
    return ImportExportContext{m_context.editStore, m_parts->prompter, m_parts->languageTable,
                               m_dataFolder, *m_texts};
}

void ResidentCore::ApplyChanges() {
    if (!m_session || !m_lighting) {
        return;
    }
    // Asked again while this apply's questions are shown: it runs after them.
    if (m_preparingApply) {
        m_applyAskedAgain = true;
        return;
    }
    if (m_window) {
        m_window->ShowTransferRunning(true);
    }
    if (!m_applyEnabled) {
        if (m_appliesInFlight == 0 && m_window) {
            m_window->ShowTransferRunning(false);
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

void ResidentCore::RestoreDefaults() {
    if (!m_session || !m_lighting) {
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
    const bool switchOn = m_window && m_window->LightingSwitchOn();
    RefreshKeyButtonLabels();
    EnableApply(true);
    m_lighting->SetLightingField(kDefaultsFieldOffset, kDefaultsFieldBytes);
    if (switchOn) {
        m_lighting->RestoreLightingDefaults();
        if (const auto profile = m_lighting->TakeUnsavedColourFile()) {
            TellColourFileNotSaved(*profile);
        }
        m_lighting->LoadCustomModes();
    }
    if (m_window) {
        m_window->ShowRestoredDefaults(switchOn);
    }
    ApplyChanges();
}

void ResidentCore::SetReportRate(int rate) {
    if (!m_lighting || rate < 0 || rate >= static_cast<int>(std::size(kReportRateButtonIds))) {
        return;
    }
    m_lighting->SetReportRate(rate);
}

void ResidentCore::ImportFile() {
    if (!m_session || !m_lighting) {
        return;
    }
    if (LoadImportFile(FileContext()) != ImportResult::Imported) {
        return;
    }
    ShowAssignments();
    EnableApply(false);
    if (m_window) {
        m_window->ShowTransferRunning(true);
    }
    StartApplyTransfer(true, [](std::optional<int>, bool) {});
}

void ResidentCore::ExportFile() {
    if (!m_device) {
        return;
    }
    ExportConfiguration(FileContext());
}

void ResidentCore::TestKeyboard() {
    if (m_session) {
        m_session->Submit([](DeviceLink& link) { return link.TestCommand(); });
    }
}

void ResidentCore::ShowAssignments() {
    if (m_window) {
        m_window->ShowAssignments();
    }
}

void ResidentCore::TellLightingSwitchNotSaved() {
    ReportFailedWrite(UserSettingsFile(m_dataFolder), m_parts->prompter, *m_texts,
                      LastWriteFailure());
}

void ResidentCore::TellColourFileNotSaved(int profile) {
    ReportFailedWrite(m_lightingFiles->Colours().FileOf(profile), m_parts->prompter, *m_texts,
                      LastWriteFailure());
}

bool ResidentCore::IsKeyEditorOpen() const {
    return m_window && m_window->IsKeyEditorOpen();
}

void ResidentCore::RunApplyCommand() {
    ApplyChanges();
}

void ResidentCore::RefreshKeyButtonLabels() {
    if (m_window) {
        m_window->RefreshKeyButtonLabels();
    }
}

void ResidentCore::SetSceneButton(const QString& caption, const QString& tooltip) {
    if (m_window) {
        m_window->SetSceneButton(caption, tooltip);
    }
}

}  // namespace tessel
