#pragma once
// What the program is while it lives in the tray: the keyboard's link and
// session, the stores' handling, the scene-mode and lighting files, the
// request endpoint, the tray icon, the clock watch and following the
// application in front. It answers the keyboard's workers and other
// processes without a window; the main window is built when it is first
// shown, draws from this state and stays built once hidden.

#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <array>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "app/AppContext.h"
#include "device/KeyboardSession.h"
#include "device/StatusWindow.h"
#include "editors/SceneHost.h"
#include "mainwindow/MainWindowIds.h"
#include "model/KeyAction.h"
#include "platform/RequestEndpoint.h"
#include "platform/qt/RequestDispatcher.h"
#include "platform/qt/WaylandWindows.h"
#include "resident/FocusSwitchDriver.h"
#include "resident/MainEvents.h"
#include "widgets/CTrayIcon.h"

class QMenu;
class QSystemTrayIcon;

namespace tessel {

class AppProfileDialog;
class AttachedKeyboardFacts;
class CAboutDlg;
class ClockChangeSource;
class CTessel_DlgUpdate;
class CTesselDlg;
class CurrentLanguageTexts;
class DeviceConnection;
class LightingFileStore;
class LightingModel;
class PlugNotices;
class Prompter;
class ProfileSettings;
class SceneFile;
class SceneSwitch;
class StatusChannels;
class TerminationSignals;
struct ApplyServices;
struct ImportExportContext;

class ResidentCore : public QObject,
                     public StatusWindow,
                     private SceneHost,
                     private FocusSwitchHost {
    Q_OBJECT
public:
    // The single instance is settled before the core is made; it only reads
    // "/Start" and "/Update" from the arguments.
    explicit ResidentCore(AppContext& context);
    ~ResidentCore() override;

    // Binds the keyboard, opens the endpoint and posts the INIT request that
    // makes the tray icon; runs once.
    void Start();
    // Start, then run until the exit sequence ends.
    void Run();

    // The main window, built (hidden) on first use.
    CTesselDlg& Window();
    CTesselDlg* WindowIfBuilt() const { return m_window.get(); }

    // Shown only while a keyboard is attached (otherwise the user is told so).
    void ShowWindow();
    void HideWindow() override;
    bool IsWindowVisible() const;
    void ShowAboutBox();
    void CloseAllEditors();
    void OpenUpdateDialog();
    // The language table's selector set to 0, the table reloaded and every
    // text that comes from it shown again.
    void RefreshLanguage();
    void OpenHelp();
    // The window of the application rules, opened from the menus.
    void OpenAppProfiles();
    QString AppProfilesMenuText() const;
    // Runs once; later calls do nothing.
    void ExitSequence();
    // The exit sequence once every open message box has been closed.
    void ExitWhenBoxesClosed();
    void OnTrayCommand(int command);

    // Commands on whole profiles, as the window's buttons give them.
    void SelectProfile(int profile);
    // `switched` learns the device result of making it active. False, and
    // `switched` never called, when the switch was refused (an editor is
    // open, the exit began).
    bool SelectProfileThen(int profile, std::function<void(int result)> switched);
    void ApplyChanges();
    void RestoreDefaults();
    void SetReportRate(int rate);
    void ImportFile();
    void ExportFile();
    void TestKeyboard();
    void EnableApply(bool enable) override;
    bool IsApplyEnabled() const override { return m_applyEnabled; }
    // An apply or import waits for the keyboard or is being sent.
    bool IsTransferRunning() const { return m_appliesInFlight > 0; }
    // No keyboard job waits or runs, and every result has been handled.
    bool IsKeyboardSettled() const;
    bool IsExiting() const override { return m_exiting; }
    // The keyboard's active profile as last read; -1 when unknown.
    int ActiveProfile() const;
    MacroLayer ActiveLayer() const;
    MacroLayer ShownMacroLayer() const { return m_macroLayer; }
    int LanguageIndex() const;
    QString LocalText(std::u16string_view key) const;
    QString LocalText(std::u16string_view key, int languageIndex) const;
    void TellLightingSwitchNotSaved();
    void TellColourFileNotSaved(int profile);
    // The key editor finished: a switch to follow the application in front
    // may have waited for it.
    void FocusHoldMayHaveEnded();

    bool IsInitialised() const override { return m_initialised; }
    bool FirstShowFlag() const override { return m_firstShow; }
    void SetFirstShowFlag() override { m_firstShow = true; }
    QSystemTrayIcon* TrayIcon() const { return m_tray.SystemIcon(); }
    QMenu* TrayMenu() { return m_tray.IsCreated() ? &m_tray.Menu() : nullptr; }
    int TrayIconId() const { return m_trayIconId; }
    CAboutDlg* AboutBox() const { return m_about.get(); }
    CTessel_DlgUpdate* UpdateDialog() const { return m_update.get(); }
    AppProfileDialog* AppProfiles() const { return m_appProfiles.get(); }
    DeviceConnection* Device() const { return m_device.get(); }
    KeyboardSession* Session() const { return m_session.get(); }
    LightingModel* Lighting() const { return m_lighting.get(); }
    LightingFileStore* LightingFiles() const { return m_lightingFiles.get(); }
    SceneSwitch* Scenes() const { return m_scenes.get(); }
    ProfileSettings* Settings() const { return m_settings.get(); }
    // Following the application in front; nothing before INIT.
    FocusSwitchDriver* FocusSwitch() const { return m_focusSwitch.get(); }
    std::size_t OpenMainEvents() const { return m_events.OpenCount(); }
    CurrentLanguageTexts* Texts() const { return m_texts.get(); }
    RequestDispatcher& Requests() { return m_requests; }

    // What the keyboard's worker threads ask; each is carried to the core's
    // thread and refused once the exit sequence has begun.
    intptr_t SendRequest(const WindowRequest& request) override;
    void PostRequest(const WindowRequest& request) override;
    void ShowTrayIcon(int iconId) override;
    void StartProfileFollowTimer() override;
    void ShowDefaultKeyBlockPrompt() override;
    void ShowMacroLayer(MacroLayer layer) override;

signals:
    // The main window exists from now on.
    void WindowBuilt(QWidget* window);

private:
    // Requests the keyboard's worker threads use to reach the core's thread.
    static constexpr uint32_t kHideRequest = 0x7E01;
    static constexpr uint32_t kTrayIconRequest = 0x7E02;
    static constexpr uint32_t kProfileTimerRequest = 0x7E03;
    static constexpr uint32_t kKeyBlockPromptRequest = 0x7E04;
    static constexpr uint32_t kMacroLayerRequest = 0x7E05;

    void BindRequests();
    intptr_t OnRequest(uint32_t message, uintptr_t wParam, intptr_t lParam);
    void OnInitRequest(uintptr_t wParam);
    intptr_t OnCommandRequest(uintptr_t command);
    void BindDevice();
    void CreateProfileModels();
    void StopStatusChannels();
    void WatchClockChanges();
    void StopWatchingClockChanges();
    void ApplyLanguage(int index);
    QString WindowTitle() const;

    void CreateTrayIcon();
    void PrepareTrayMenu();
    QIcon TrayIconPicture(int iconId) const;
    void CheckFirmware();
    void AskForFirmwareUpdate(uint16_t version);

    // Profiles and lighting.
    // After a keyboard was attached: its configuration, profile and lighting.
    void ReloadAfterAttach();
    using KeyBlocks = std::array<KeyBlock, kKeyBlockCount>;
    bool HoldsSceneFileKeys(const KeyBlocks& blocks) const;
    void FillProfileButtons();
    void ReloadCurrentLighting(std::function<void()> reloaded = {});
    void TurnLightingSwitchOff();
    void OnProfileFollowTimer();
    void KeepEditsOverAttach(std::function<void()> afterScene);

    // The keyboard's session and the transfers.
    void BindKeyboardSession();
    // Every told job's result: why the first of a run of failed jobs failed.
    void TellKeyboardFailed(int result);
    ApplyServices ApplyServicesForCore(Prompter* prompter = nullptr);
    ImportExportContext FileContext();
    // Copies the edit store to the apply store and queues the sending of
    // every profile (all) or the active one, the progress animation running.
    // `applied` gets the transfer's result (nothing when nothing was sent)
    // and whether the edit store changed meanwhile. With a prompter of its
    // own (a request of another process) no box is shown for it.
    using Applied = std::function<void(std::optional<int> result, bool editedMeanwhile)>;
    void StartApplyTransfer(bool all, Applied applied, Prompter* prompter = nullptr);
    void TransferEnded(bool written);
    void ShowAssignments();

    // Requests of other processes, on the endpoint's thread: only those meant
    // for outside pass; keyboard commands run on the core's thread.
    RequestReply OnOutsideRequest(const WindowRequest& request, std::string_view payload);
    struct KeyboardCommandJob;
    using CommandJob = std::shared_ptr<KeyboardCommandJob>;
    static constexpr uint32_t kKeyboardCommandRequest = 0x7E06;
    void RunKeyboardCommand(const CommandJob& job);
    void BackupForCommand(const CommandJob& job);
    void RestoreForCommand(const CommandJob& job);
    void SelectProfileForCommand(const CommandJob& job);

    // What the scene-mode switch asks.
    bool IsKeyEditorOpen() const override;
    void RunApplyCommand() override;
    bool HasUnsentEdits() const override;
    void RefreshKeyButtonLabels() override;
    void SetSceneButton(const QString& caption, const QString& tooltip) override;

    // Following the application in front.
    void CreateFocusSwitch();
    bool SwitchWouldLoseWork() const override;
    int KnownActiveProfile() const override;
    bool SwitchProfileForApplication(int profile, std::function<void(int)> done) override;
    void FocusSwitchStateChanged() override;

    AppContext& m_context;
    MainWindowParts* m_parts;
    std::unique_ptr<CurrentLanguageTexts> m_texts;
    RequestDispatcher m_requests;
    // Filled by the endpoint's thread: declared first, so it outlives it.
    WindowActivation m_activation;
    std::unique_ptr<RequestEndpoint> m_endpoint;
    std::unique_ptr<AttachedKeyboardFacts> m_attachedFacts;
    std::unique_ptr<StatusChannels> m_status;
    std::unique_ptr<DeviceConnection> m_device;
    CTrayIcon m_tray;
    std::atomic<int> m_trayIconId{0};
    PlugNotices* m_plugNotices = nullptr;  // a child of the core
    std::unique_ptr<CAboutDlg> m_about;
    // "/Update" found no running instance: open the dialog once started.
    bool m_openUpdateAtStart = false;
    TerminationSignals* m_signals = nullptr;
    MainEvents m_events;
    QTimer m_profileFollowTimer;
    std::filesystem::path m_dataFolder;
    std::unique_ptr<LightingFileStore> m_lightingFiles;
    std::unique_ptr<LightingModel> m_lighting;
    std::unique_ptr<SceneFile> m_sceneFile;
    std::unique_ptr<ProfileSettings> m_settings;
    std::unique_ptr<ClockChangeSource> m_systemClockChanges;
    ClockChangeSource* m_clockChanges = nullptr;
    bool m_started = false;
    bool m_applyEnabled = false;
    std::atomic<bool> m_initialised{false};
    std::atomic<bool> m_firstShow{false};
    std::atomic<MacroLayer> m_macroLayer{MacroLayer::A};
    bool m_exiting = false;
    bool m_exitAsked = false;
    // Counts the edits; an apply whose snapshot is older did not send them.
    uint64_t m_editGeneration = 0;
    uint64_t m_sentGeneration = 0;
    int m_appliesInFlight = 0;
    // An Apply asked for while the last one's questions are shown runs after.
    bool m_preparingApply = false;
    bool m_applyAskedAgain = false;
    // A failed job was told; the next is told once one has succeeded.
    bool m_keyboardFailureTold = false;
    std::atomic<int> m_undeliveredResults{0};
    QEventLoop* m_loop = nullptr;
    std::unique_ptr<FocusSwitchDriver> m_focusSwitch;
    // Before the session: stopped after it, and every job's result it asks
    // for has been refused by then.
    std::unique_ptr<SceneSwitch> m_scenes;
    // The dialogs and the window go before what they show.
    std::unique_ptr<CTessel_DlgUpdate> m_update;
    std::unique_ptr<AppProfileDialog> m_appProfiles;
    std::unique_ptr<KeyboardSession> m_session;
    std::unique_ptr<CTesselDlg> m_window;
};

}  // namespace tessel
