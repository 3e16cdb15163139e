#include "mainwindow/CTesselDlg.h"

#include <QAction>
#include <QMenu>
#include <QThread>
#include <QTimer>
#include <utility>

#include "app/AppIdentity.h"
#include "app/ApplicationIcon.h"
#include "app/StartSwitches.h"
#include "device/DeviceConnection.h"
#include "device/DeviceEvents.h"
#include "device/DeviceStartup.h"
#include "device/StatusChannels.h"
#include "editors/AppProfileDialog.h"
#include "editors/CTessel_DlgUpdate.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/CAboutDlg.h"
#include "mainwindow/FlipKeys.h"
#include "mainwindow/LightingPanelControls.h"
#include "mainwindow/MainInputFilter.h"
#include "mainwindow/PlugNotices.h"
#include "model/KeyboardFacts.h"
#include "model/LightingModel.h"
#include "model/ProfileImage.h"
#include "platform/ClockChanges.h"
#include "platform/Prompter.h"
#include "platform/qt/ModalBoxes.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TerminationSignals.h"
#include "skin/SkinIni.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinPictures.h"
#include "skin/qt/SkinPlacement.h"
#include "storage/LightingFileStore.h"
#include "storage/ProfileSettings.h"
#include "storage/SceneFile.h"
#include "text/LanguageChoice.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"

namespace tessel {

namespace {

// Requests the keyboard's worker threads use to reach the window's thread.
constexpr uint32_t kHideRequest = 0x7E01;
constexpr uint32_t kTrayIconRequest = 0x7E02;
constexpr uint32_t kProfileTimerRequest = 0x7E03;
constexpr uint32_t kKeyBlockPromptRequest = 0x7E04;
constexpr uint32_t kMacroLayerRequest = 0x7E05;
// How often an exit looks again whether the boxes it closed have returned.
constexpr int kBoxCloseRetryMs = 10;

}  // namespace

CTesselDlg::CTesselDlg(AppContext& context, QWidget* parent)
    : CBaseDialog(MainDialogTemplate(), parent, context.paths.mainSkinFile,
                  context.paths.mainSkinFolder),
      m_context(context),
      m_parts(context.parts) {
    setWindowIcon(ApplicationIcon());
    // The single instance was settled before the application existed.
    m_firstShow = HasStartSwitch(m_context.arguments, StartSwitch::Start);
    m_openUpdateAtStart = HasStartSwitch(m_context.arguments, StartSwitch::Update);
    if (m_parts) {
        m_texts = std::make_unique<CurrentLanguageTexts>(m_parts->languageFiles, m_parts->language);
    }
    m_profileFollowTimer.setSingleShot(true);
    connect(&m_profileFollowTimer, &QTimer::timeout, this, &CTesselDlg::OnProfileFollowTimer);
    connect(&m_tray, &CTrayIcon::Command, this, &CTesselDlg::OnTrayCommand);
    connect(&m_tray, &CTrayIcon::DoubleClicked, this, [this] { OnTrayCommand(kCommandOpen); });
    BindMessages();
}

CTesselDlg::~CTesselDlg() {
    StopWatchingClockChanges();
    // Release senders waiting on this window before the workers and the
    // endpoint's thread, which may be among them, are joined.
    Requests().Close();
    StopStatusChannels();
    m_endpoint.reset();
    m_tray.RemoveIcon();
    ModalBoxes::EndClosing();
}

void CTesselDlg::BindMessages() {
    using Entry = MessageEntry<CTesselDlg>;
    static const Entry kCommands[] = {
        Entry::Command(kIdHelp, &CTesselDlg::OpenHelp),
        Entry::Command(kIdClose, &CTesselDlg::ExitSequence),
        Entry::Command(kIdMinimise, &CTesselDlg::showMinimized),
        Entry::Command(kCommandSystemAbout, &CTesselDlg::ShowAboutBox),
        Entry::Command(static_cast<int>(kCommandUpdate), &CTesselDlg::OpenUpdateDialog),
        Entry::Command(static_cast<int>(kCommandLanguage), &CTesselDlg::RefreshLanguage),
    };
    BindMessageMap<CTesselDlg>(this, kCommands);
    for (uint32_t message :
         {kInitMessage, kOpenMessage, kKillMessage, kLanguageMessage, kCloseEditorsMessage,
          kHideRequest, kTrayIconRequest, kProfileTimerRequest, kKeyBlockPromptRequest,
          kMacroLayerRequest, kLayerKeysMessage, kProfileReloadMessage, kKeyboardCommandRequest,
          kCommandMessage}) {
        Requests().Map().On(message, [this, message](uintptr_t wParam, intptr_t lParam) {
            return OnRequest(message, wParam, lParam);
        });
    }
    m_plugNotices = new PlugNotices(
        {[this](const QString& text) { m_tray.ShowNotice(windowTitle(), text); },
         [this] { return m_status && m_status->LastDeviceCount() > 0; }, [this] { ShowWindow(); },
         [this](std::u16string_view key) { return LocalText(key); }},
        this);
}

intptr_t CTesselDlg::OnRequest(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case kInitMessage:
            OnInitRequest(wParam);
            return 0;
        case kOpenMessage:
            // Refused once the exit is asked for: the sender then waits for the
            // lock and becomes the instance instead of losing its window.
            if (wParam != kOpenTag || m_exitAsked) {
                return 0;
            }
            // A box already asks the user something: bring it forward instead
            // of stacking another behind it.
            if (ModalBoxes::AnyOpen()) {
                ModalBoxes::RaiseTop();
                return 1;
            }
            ShowWindow();
            m_activation.BringForward(*this);
            CheckFirmware();
            return 1;
        case kKillMessage:
            if (wParam != kKillTag) {
                return 0;
            }
            ExitWhenBoxesClosed();
            return 1;
        case kLanguageMessage:
            if (wParam == kLanguageTag) {
                ApplyLanguage(static_cast<int>(lParam));
            }
            return 0;
        case kCloseEditorsMessage:
            CloseAllEditors();
            return 0;
        case kHideRequest:
            m_plugNotices->BeforeWorkerHide(isVisible());
            HideWindow();
            return 0;
        case kTrayIconRequest:
            m_plugNotices->OnTrayIcon(m_trayIconId, static_cast<int>(wParam));
            m_trayIconId = static_cast<int>(wParam);
            m_tray.SetIcon(TrayIconPicture(m_trayIconId));
            return 0;
        case kProfileTimerRequest:
            m_profileFollowTimer.start(0);
            return 0;
        case kKeyBlockPromptRequest:
            if (m_parts) {
                m_parts->prompter.ShowMessage(
                    LocalText(
                        m_parts->languageTable.TextKey(TextKeyEntry::MAIN_DEFAULT_MATRIX_PROMPT))
                        .toStdU16String(),
                    u"", PromptButtons::Ok, PromptIcon::Warning);
            }
            return 0;
        case kMacroLayerRequest:
            m_macroLayer = wParam == 0 ? MacroLayer::A : MacroLayer::B;
            if (m_lockIndicators) {
                m_lockIndicators->ShowLayer(m_macroLayer);
            }
            return 0;
        case kLayerKeysMessage:
            if (wParam == kLedTag) {
                MarkGKeys();
            }
            return 0;
        case kProfileReloadMessage:
            if (wParam == kProfTag) {
                ReloadAfterAttach();
            }
            return 0;
        case kKeyboardCommandRequest:
            // Sent only by OnOutsideRequest, which waits for the job's answer.
            RunKeyboardCommand(*reinterpret_cast<const CommandJob*>(lParam));
            return 1;
        case kCommandMessage:
            return OnCommandRequest(wParam);
        default:
            return 0;
    }
}

bool CTesselDlg::OnInitDialog() {
    // Step 1: base initialisation (controls and skin); the system menu; icons.
    if (m_parts) {
        CBaseDialog::OnInitDialog();
    } else {
        BuildControls();
    }
    m_systemMenu = std::make_unique<QMenu>();
    m_systemMenu->addSeparator();
    QAction* about = m_systemMenu->addAction(QStringLiteral("&About..."));
    connect(about, &QAction::triggered, this, [this] { SendCommand(kCommandSystemAbout); });
    setWindowIcon(ApplicationIcon());

    // Step 2.
    m_initialised = false;

    // Steps 3 and 4: the keyboard's library, its channels and the presence
    // worker; a library that cannot be bound ends the program here.
    // Step 5 needs nothing here: layered windows always exist on this platform.
    BindDevice();

    // Step 6.
    {
        auto lock = m_context.editStore.Lock();
        m_context.editStore.SetImage(DefaultImage());
    }
    EnableApply(false);

    // Step 7: the skin pictures, the layout, and the lighting and scene-mode
    // files the window works with.
    if (m_parts) {
        m_images.Load(m_context.paths.programFolder, *this);
        CreateKeyboardParts();
        CreateProfileModels();
        BuildMainLayout();
        CreateLockIndicators();
        BindProfileCommands();
        BindKeyboardCommands();
        auto* filter = new MainInputFilter(*this, GetDlgItem(kIdEffectList));
        filter->Install();
        WatchClockChanges();
    }

    // Step 8: no taskbar button while hidden; the marker others find us by.
    setWindowFlag(Qt::Tool, true);
    // Before the endpoint: whoever sees it may already end this instance by signal.
    m_signals = new TerminationSignals([this] { ExitWhenBoxesClosed(); }, this);
    m_endpoint = RequestEndpoint::Open(
        kInstanceName, kMainMarker, [this](const WindowRequest& request, std::string_view payload) {
            return OnOutsideRequest(request, payload);
        });
    setWindowTitle(m_parts ? LocalText(u"IDS_MAIN_CAPTION") : FromUtf8(kApplicationName));

    // Step 9.
    m_events.Create();

    // Step 10.
    if (m_keyboardView) {
        m_keyboardView->SetColourKeysMode(false);
    }

    // Step 11, then 12: the language comes before the posted INIT runs.
    Post(WindowRequest{kInitMessage, kInitTag, 0});
    if (m_parts) {
        Send(WindowRequest{kLanguageMessage, kLanguageTag, LanguageIndex()});
        // Step 13: session notifications are not available here, and a
        // session change would change nothing anyway.
        // Step 14.
        m_parts->languageTable.LoadLanguageTable(
            SkinFilePath(m_context.paths.programFolder, u"Skins\\language.ini"));
    }
    return true;
}

void CTesselDlg::BindDevice() {
    if (!m_parts) {
        return;
    }
    m_status = std::make_unique<StatusChannels>(*this, *this);
    DeviceStartup startup = m_parts->deviceExports
                                ? StartDeviceLink(*m_parts->deviceExports, m_status.get())
                                : StartDeviceLink(m_context.paths.programFolder, m_status.get());
    startup = EndProcessUnlessStarted(std::move(startup));
    m_device = std::move(startup.connection);
    m_device->Link().ForgetActiveProfile();
    BindKeyboardSession();
    m_status->Start(*m_device, *m_session, static_cast<uint32_t>(startup.deviceCount));
    if (startup.deviceCount == 0) {
        SetFirstShowFlag();
    }
}

void CTesselDlg::StopStatusChannels() {
    if (m_status) {
        // The library keeps calling back after the window is gone: nothing may
        // reach the channels any more.
        DeviceEventRouter::Instance().SetStatusListener(nullptr);
        m_status->Stop();
    }
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
    m_lockIndicators->ShowLayer(m_macroLayer);
}

// The G keys of the now active layer, marked and described: the layer has
// already changed in the status channels even if the window has not shown it yet.
void CTesselDlg::MarkGKeys() {
    if (m_keyboardView) {
        m_keyboardView->RefreshKeyButtonLabels();
    }
}

MacroLayer CTesselDlg::ActiveLayer() const {
    return m_status ? m_status->ActiveLayer() : m_macroLayer.load();
}

void CTesselDlg::OnInitRequest(uintptr_t wParam) {
    if (wParam != kInitTag) {
        return;
    }
    CreateTrayIcon();
    if (m_scenes) {
        m_scenes->BuildSceneMenu(true);
    }
    CreateFocusSwitch();
    m_initialised = true;
    HideWindow();
    if (std::exchange(m_openUpdateAtStart, false)) {
        Post(WindowRequest{kCommandMessage, kCommandUpdate, 0});
    }
}

// The boxes answer their Cancel (or No) way; their callers, further down this
// thread's stack, must return before the exit sequence may wait for workers.
void CTesselDlg::ExitWhenBoxesClosed() {
    // No start may find this instance while its boxes close: it would hand
    // over a request that nobody carries out.
    m_exitAsked = true;
    if (m_endpoint) {
        m_endpoint->Withdraw();
    }
    ModalBoxes::CloseAll();
    if (ModalBoxes::AnyOpen()) {
        QTimer::singleShot(kBoxCloseRetryMs, this, [this] { ExitWhenBoxesClosed(); });
        return;
    }
    ExitSequence();
}

void CTesselDlg::ExitSequence() {
    if (m_exiting) {
        return;
    }
    m_exiting = true;
    LeaveSingleInstance(m_endpoint.get(), m_context.instance);
    if (m_focusSwitch) {
        m_focusSwitch->Stop();
    }
    StopWatchingClockChanges();
    // A job that has begun ends its bracket first, bounded by the transport's
    // time-outs; jobs still waiting are dropped.
    if (m_session) {
        m_session->Stop();
    }
    m_appliesInFlight = 0;
    // From here on no worker reaches the window; wait for those still running.
    Requests().Close();
    StopStatusChannels();
    HideWindow();
    CloseAllEditors();
    m_events.Close();
    m_tray.RemoveIcon();
    m_trayIconId = 0;
    EnableApply(false);
    {
        auto editLock = m_context.editStore.Lock();
        m_context.editStore.Clear();
    }
    {
        auto applyLock = m_context.applyStore.Lock();
        m_context.applyStore.Clear();
    }
    m_images.Release();
    EndDialog(0);
}

intptr_t CTesselDlg::SendRequest(const WindowRequest& request) {
    return Requests().Send(request);
}

void CTesselDlg::PostRequest(const WindowRequest& request) {
    Requests().Post(request);
}

void CTesselDlg::HideWindow() {
    if (QThread::currentThread() != thread()) {
        Requests().Send(WindowRequest{kHideRequest, 0, 0});
        return;
    }
    hide();
}

void CTesselDlg::ShowTrayIcon(int iconId) {
    Requests().Send(WindowRequest{kTrayIconRequest, static_cast<uintptr_t>(iconId), 0});
}

void CTesselDlg::StartProfileFollowTimer() {
    Requests().Post(WindowRequest{kProfileTimerRequest, 0, 0});
}

void CTesselDlg::ShowDefaultKeyBlockPrompt() {
    Requests().Send(WindowRequest{kKeyBlockPromptRequest, 0, 0});
}

void CTesselDlg::ShowMacroLayer(MacroLayer layer) {
    // Posted: this comes from the library's thread, which must never wait for the window.
    Requests().Post(WindowRequest{kMacroLayerRequest, layer == MacroLayer::A ? 0u : 1u, 0});
}

void CTesselDlg::StoreDefaultKeyBlock(const uint8_t* block192) {
    KeyBlock block{};
    std::copy(block192, block192 + block.size(), block.begin());
    m_parts->keyboard.SetDefaultKeyBlock(block);
}

void CTesselDlg::StoreDeviceInfo(const uint8_t* info44) {
    m_parts->keyboard.SetDeviceInfo(
        std::span<const uint8_t, kDeviceInfoSize>(info44, kDeviceInfoSize));
}

}  // namespace tessel
