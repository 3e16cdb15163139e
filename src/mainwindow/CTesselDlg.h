#pragma once
// The program's only top-level window. It binds the keyboard and builds its
// skin when it initialises, then lives hidden in the tray: it is shown through
// the Open request, the tray menu or a tray double-click, answers the requests
// of other instances and of the keyboard's worker threads, and ends the
// program only through its exit sequence.

#include <QTimer>
#include <array>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "app/AppContext.h"
#include "device/KeyboardSession.h"
#include "device/StatusWindow.h"
#include "editors/SceneHost.h"
#include "editors/Tessel_DlgComposite.h"
#include "mainwindow/FocusSwitchDriver.h"
#include "mainwindow/KeyboardView.h"
#include "mainwindow/LightingPanel.h"
#include "mainwindow/LockIndicators.h"
#include "mainwindow/MainEvents.h"
#include "mainwindow/MainWindowIds.h"
#include "mainwindow/SkinImageSet.h"
#include "model/KeyAction.h"
#include "platform/RequestEndpoint.h"
#include "platform/qt/WaylandWindows.h"
#include "skin/qt/CBaseDialog.h"
#include "widgets/CTrayIcon.h"

class QLabel;
class QMenu;
class QSystemTrayIcon;

namespace tessel {

class AppProfileDialog;
class CAboutDlg;
class ClockChangeSource;
class CPngButton;
class CTessel_DlgUpdate;
class PlugNotices;
class CurrentLanguageTexts;
class DeviceConnection;
class FlipKeys;
class LightingFileStore;
class LightingModel;
class Prompter;
class ProfileSettings;
class SceneFile;
class SceneSwitch;
class StatusChannels;
class TerminationSignals;
struct ApplyServices;
struct ImportExportContext;

class CTesselDlg : public CBaseDialog,
                   public StatusWindow,
                   public AttachedKeyboardSink,
                   private SceneHost,
                   private KeyboardViewHost,
                   private LightingPanelHost,
                   private KeyEditorHost,
                   private FocusSwitchHost {
    Q_OBJECT
public:
    static constexpr int kCommandOpen = tessel::kCommandOpen;
    static constexpr int kCommandAbout = tessel::kCommandAbout;
    static constexpr int kCommandExit = tessel::kCommandExit;

    // The single instance is settled before the window is made; the window
    // only reads "/Start" from the arguments.
    explicit CTesselDlg(AppContext& context, QWidget* parent = nullptr);
    ~CTesselDlg() override;

    bool OnInitDialog() override;

    // Shown only while a keyboard is attached (otherwise the user is told so),
    // with a taskbar button; hidden it lives in the tray alone.
    void ShowWindow();
    void HideWindow() override;
    void ShowAboutBox();
    void CloseAllEditors();
    // Command 32780: the firmware update dialog, modally.
    void OpenUpdateDialog();
    // Command 32784: the language table's selector set to 0, the table reloaded
    // and every text that comes from it shown again.
    void RefreshLanguage();
    CTessel_DlgUpdate* UpdateDialog() const { return m_update.get(); }
    // Runs once; later calls do nothing.
    void ExitSequence();
    // The exit sequence once every open message box has been closed.
    void ExitWhenBoxesClosed();
    void OnTrayCommand(int command);

    bool IsInitialised() const override { return m_initialised; }
    bool FirstShowFlag() const override { return m_firstShow; }
    void SetFirstShowFlag() override { m_firstShow = true; }
    QSystemTrayIcon* TrayIcon() const { return m_tray.SystemIcon(); }
    QMenu* TrayMenu() { return m_tray.IsCreated() ? &m_tray.Menu() : nullptr; }
    int TrayIconId() const { return m_trayIconId; }
    CAboutDlg* AboutBox() const { return m_about.get(); }
    DeviceConnection* Device() const { return m_device.get(); }
    const SkinImageSet& Images() const { return m_images; }
    std::size_t OpenMainEvents() const { return m_events.OpenCount(); }
    MacroLayer ShownMacroLayer() const { return m_macroLayer; }

    // Commands on whole profiles.
    void SelectProfile(int profile);
    // As a click on the profile's button; `switched` learns the device result
    // of making it active. False, and `switched` never called, when the
    // switch was refused (an editor is open, the exit began).
    bool SelectProfileThen(int profile, std::function<void(int result)> switched);
    void FillProfileButtons();
    void ApplyChanges();
    void RestoreDefaults();
    void SetReportRate(int rate);
    void EnableApply(bool enable) override;
    // An apply or import waits for the keyboard or is being sent.
    bool IsTransferRunning() const { return m_appliesInFlight > 0; }
    // No keyboard job waits or runs, and every result has been handled.
    bool IsKeyboardSettled() const;
    KeyboardSession* Session() const { return m_session.get(); }
    bool IsApplyEnabled() const override { return m_applyEnabled; }
    void ShowCommandMenu();
    void ImportFile();
    void ExportFile();
    // After a keyboard was attached: its configuration, profile and lighting.
    void ReloadAfterAttach();
    void KeepEditsOverAttach(std::function<void()> afterScene);
    using KeyBlocks = std::array<KeyBlock, kKeyBlockCount>;
    bool HoldsSceneFileKeys(const KeyBlocks& blocks) const;
    LightingModel* Lighting() const { return m_lighting.get(); }
    LightingPanel* Panel() const { return m_panel.get(); }
    KeyboardView* Keyboard() const { return m_keyboardView.get(); }
    SceneSwitch* Scenes() const { return m_scenes.get(); }
    Tessel_DlgComposite* KeyEditor() const { return m_keyEditor.get(); }
    QMenu* CommandMenu() const { return m_commandMenu.get(); }
    // Following the application in front; nothing before the window's init.
    FocusSwitchDriver* FocusSwitch() const { return m_focusSwitch.get(); }
    AppProfileDialog* AppProfiles() const { return m_appProfiles.get(); }

    // What the keyboard's worker threads ask of the window; each is carried to
    // the window's thread and refused once the exit sequence has begun.
    intptr_t SendRequest(const WindowRequest& request) override;
    void PostRequest(const WindowRequest& request) override;
    void ShowTrayIcon(int iconId) override;
    void StartProfileFollowTimer() override;
    void ShowDefaultKeyBlockPrompt() override;
    void ShowMacroLayer(MacroLayer layer) override;
    // What the presence worker reads from a newly attached keyboard.
    void StoreDefaultKeyBlock(const uint8_t* block192) override;
    void StoreDeviceInfo(const uint8_t* info44) override;

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
    void BindProfileCommands();
    void CreateProfileModels();
    void CheckButtonOfGroup(std::span<const int> ids, int index);
    ApplyServices ApplyServicesForWindow(Prompter* prompter = nullptr);
    // Copies the edit store to the apply store and queues the sending of
    // every profile (all) or the active one, the progress animation running.
    // `applied` gets the transfer's result (nothing when nothing was sent)
    // and whether the edit store changed meanwhile. With a prompter of its
    // own (a request of another process) no box is shown for it.
    using Applied = std::function<void(std::optional<int> result, bool editedMeanwhile)>;
    void StartApplyTransfer(bool all, Applied applied, Prompter* prompter = nullptr);
    void BindKeyboardSession();
    // Every told job's result: why the first of a run of failed jobs failed.
    void TellKeyboardFailed(int result);
    ImportExportContext FileContext();
    void ReloadCurrentLighting(std::function<void()> reloaded = {});
    void BindKeyboardCommands();
    void CreateKeyboardParts();
    void CreateLightingPanel();

    // What the scene-mode switch, the keyboard picture and the lighting panel
    // ask of the window.
    bool IsKeyEditorOpen() const override;
    void RunApplyCommand() override;
    bool HasUnsentEdits() const override;
    bool IsExiting() const override { return m_exiting; }
    void RefreshKeyButtonLabels() override;
    void SetSceneButton(const QString& caption, const QString& tooltip) override;
    int ActiveProfile() override;
    MacroLayer ActiveLayer() const override;
    bool LightingSwitchOn() const override;
    void PaintKey(int controlId) override;
    int OpenKeyEditor(const KeyEditorTarget& target) override;
    bool SwitchToActiveScene() override;
    void ResetKeyLooks() override;
    void ShowAssignments() override;
    void ShowKeyColours() override;
    void ShowReportRate(int rate) override;
    void TellLightingSwitchNotSaved() override;
    void TellColourFileNotSaved(int profile) override;
    QWidget* KeyButtonWidget(int controlId) override;
    void CreateKeyEditor();

    void BindMessages();
    void BindDevice();
    void StopStatusChannels();
    void CreateLockIndicators();
    void MarkGKeys();
    void CreateTrayIcon();
    void PrepareTrayMenu();
    QIcon TrayIconPicture(int iconId) const;
    void CheckFirmware();
    void AskForFirmwareUpdate(uint16_t version);
    void OpenHelp();
    void OnProfileFollowTimer();
    // A change of the wall clock runs Apply.
    void WatchClockChanges();
    void StopWatchingClockChanges();
    void ApplyLanguage(int index);
    void ForwardLanguage(int index);
    void ShowLanguageTableTexts();
    intptr_t OnCommandRequest(uintptr_t command);
    QString LocalText(std::u16string_view key) const;
    QString LocalText(std::u16string_view key, int languageIndex) const;
    int LanguageIndex() const override;

    void OnInitRequest(uintptr_t wParam);
    intptr_t OnRequest(uint32_t message, uintptr_t wParam, intptr_t lParam);
    // Requests of other processes, on the endpoint's thread: only those meant
    // for outside pass; keyboard commands run on the window's thread.
    RequestReply OnOutsideRequest(const WindowRequest& request, std::string_view payload);
    struct KeyboardCommandJob;
    using CommandJob = std::shared_ptr<KeyboardCommandJob>;
    static constexpr uint32_t kKeyboardCommandRequest = 0x7E06;
    void RunKeyboardCommand(const CommandJob& job);
    void BackupForCommand(const CommandJob& job);
    void RestoreForCommand(const CommandJob& job);
    void SelectProfileForCommand(const CommandJob& job);

    // Following the application in front.
    void CreateFocusSwitch();
    void FocusHoldMayHaveEnded();
    bool SwitchWouldLoseWork() const override;
    int KnownActiveProfile() const override;
    bool SwitchProfileForApplication(int profile, std::function<void(int)> done) override;
    void FocusSwitchStateChanged() override;
    // The window of the application rules, opened from the menus.
    void OpenAppProfiles();
    QString AppProfilesMenuText() const;

    AppContext& m_context;
    MainWindowParts* m_parts;
    std::unique_ptr<CurrentLanguageTexts> m_texts;
    // Filled by the endpoint's thread: declared first, so it outlives it.
    WindowActivation m_activation;
    std::unique_ptr<RequestEndpoint> m_endpoint;
    std::unique_ptr<StatusChannels> m_status;
    std::unique_ptr<DeviceConnection> m_device;
    CTrayIcon m_tray;
    std::atomic<int> m_trayIconId{0};
    std::unique_ptr<LockIndicators> m_lockIndicators;
    PlugNotices* m_plugNotices = nullptr;  // a child of the window
    std::unique_ptr<CAboutDlg> m_about;
    std::unique_ptr<CTessel_DlgUpdate> m_update;
    // "/Update" found no running instance: open the dialog once started.
    bool m_openUpdateAtStart = false;
    std::unique_ptr<QMenu> m_systemMenu;
    TerminationSignals* m_signals = nullptr;
    SkinImageSet m_images;
    MainEvents m_events;
    QTimer m_profileFollowTimer;
    QString m_link;
    std::filesystem::path m_dataFolder;
    std::unique_ptr<LightingFileStore> m_lightingFiles;
    std::unique_ptr<LightingModel> m_lighting;
    std::unique_ptr<SceneFile> m_sceneFile;
    std::unique_ptr<QMenu> m_commandMenu;
    std::unique_ptr<ClockChangeSource> m_systemClockChanges;
    ClockChangeSource* m_clockChanges = nullptr;
    std::unique_ptr<ProfileSettings> m_settings;
    std::unique_ptr<FlipKeys> m_flipKeys;
    std::unique_ptr<KeyboardView> m_keyboardView;
    std::unique_ptr<SceneSwitch> m_scenes;
    std::unique_ptr<LightingPanel> m_panel;
    std::unique_ptr<Tessel_DlgComposite> m_keyEditor;
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
    std::unique_ptr<FocusSwitchDriver> m_focusSwitch;
    QLabel* m_focusWaitLine = nullptr;  // a child of the window
    std::unique_ptr<AppProfileDialog> m_appProfiles;
    // Last: stopped before the keyboard's link goes away.
    std::unique_ptr<KeyboardSession> m_session;
};

}  // namespace tessel
