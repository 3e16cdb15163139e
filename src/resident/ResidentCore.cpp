#include "resident/ResidentCore.h"

#include <QTimer>
#include <utility>

#include "app/AppIdentity.h"
#include "app/StartSwitches.h"
#include "device/DeviceConnection.h"
#include "device/DeviceEvents.h"
#include "device/DeviceStartup.h"
#include "device/StatusChannels.h"
#include "editors/AppProfileDialog.h"
#include "editors/CTessel_DlgUpdate.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/CAboutDlg.h"
#include "mainwindow/CTesselDlg.h"
#include "model/LightingModel.h"
#include "model/ProfileImage.h"
#include "platform/ClockChanges.h"
#include "platform/Prompter.h"
#include "platform/Registry.h"
#include "platform/qt/ModalBoxes.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TerminationSignals.h"
#include "resident/AttachedKeyboardFacts.h"
#include "resident/PlugNotices.h"
#include "skin/SkinIni.h"
#include "skin/qt/SkinPictures.h"
#include "storage/DataFolder.h"
#include "storage/LightingFileStore.h"
#include "storage/ProfileSettings.h"
#include "storage/SceneFile.h"
#include "text/LanguageChoice.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"

namespace tessel {

ResidentCore::ResidentCore(AppContext& context) : m_context(context), m_parts(context.parts) {
    // The single instance was settled before the application existed.
    m_firstShow = HasStartSwitch(m_context.arguments, StartSwitch::Start);
    m_openUpdateAtStart = HasStartSwitch(m_context.arguments, StartSwitch::Update);
    if (m_parts) {
        m_texts = std::make_unique<CurrentLanguageTexts>(m_parts->languageFiles, m_parts->language);
        m_attachedFacts = std::make_unique<AttachedKeyboardFacts>(m_parts->keyboard);
    }
    m_profileFollowTimer.setSingleShot(true);
    connect(&m_profileFollowTimer, &QTimer::timeout, this, &ResidentCore::OnProfileFollowTimer);
    connect(&m_tray, &CTrayIcon::Command, this, &ResidentCore::OnTrayCommand);
    connect(&m_tray, &CTrayIcon::DoubleClicked, this, [this] { OnTrayCommand(kCommandOpen); });
    BindRequests();
}

ResidentCore::~ResidentCore() {
    StopWatchingClockChanges();
    // Release senders waiting on the core before the workers and the
    // endpoint's thread, which may be among them, are joined.
    m_requests.Close();
    StopStatusChannels();
    m_endpoint.reset();
    m_tray.RemoveIcon();
    // The keyboard's jobs end before the window and the models they report to.
    m_session.reset();
    // The dialogs over the window are its children.
    m_update.reset();
    m_appProfiles.reset();
    m_window.reset();
    ModalBoxes::EndClosing();
}

void ResidentCore::BindRequests() {
    for (uint32_t message :
         {kInitMessage, kOpenMessage, kKillMessage, kLanguageMessage, kCloseEditorsMessage,
          kHideRequest, kTrayIconRequest, kProfileTimerRequest, kKeyBlockPromptRequest,
          kMacroLayerRequest, kLayerKeysMessage, kProfileReloadMessage, kKeyboardCommandRequest,
          kCommandMessage}) {
        m_requests.Map().On(message, [this, message](uintptr_t wParam, intptr_t lParam) {
            return OnRequest(message, wParam, lParam);
        });
    }
    m_plugNotices = new PlugNotices(
        {[this](const QString& text) {
             m_tray.ShowNotice(WindowTitle(), text);
             if (m_window) {
                 m_window->Announce(text);
             }
         },
         [this] { return m_status && m_status->LastDeviceCount() > 0; }, [this] { ShowWindow(); },
         [this](std::u16string_view key) { return LocalText(key); }},
        this);
}

intptr_t ResidentCore::OnRequest(uint32_t message, uintptr_t wParam, intptr_t lParam) {
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
            if (m_window) {
                m_activation.BringForward(*m_window);
            }
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
            m_plugNotices->BeforeWorkerHide(IsWindowVisible());
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
            if (m_window) {
                m_window->ShowMacroLayer(m_macroLayer);
            }
            return 0;
        case kLayerKeysMessage:
            // The G keys of the now active layer, marked and described.
            if (wParam == kLedTag) {
                RefreshKeyButtonLabels();
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

void ResidentCore::Start() {
    if (std::exchange(m_started, true)) {
        return;
    }
    m_initialised = false;
    if (m_parts) {
        // The window is built later: a broken skin still ends the start.
        CheckSkinPictures(m_context.paths.mainSkinFile, m_context.paths.mainSkinFolder);
    }
    // The keyboard's library, its channels and the presence worker; a
    // library that cannot be bound ends the program here.
    BindDevice();
    {
        auto lock = m_context.editStore.Lock();
        m_context.editStore.SetImage(DefaultImage());
    }
    EnableApply(false);
    if (m_parts) {
        CreateProfileModels();
        WatchClockChanges();
    }
    // Before the endpoint: whoever sees it may already end this instance by signal.
    m_signals = new TerminationSignals([this] { ExitWhenBoxesClosed(); }, this);
    m_endpoint = RequestEndpoint::Open(
        kInstanceName, kMainMarker, [this](const WindowRequest& request, std::string_view payload) {
            return OnOutsideRequest(request, payload);
        });
    m_events.Create();
    // The language comes before the posted INIT runs.
    m_requests.Post(WindowRequest{kInitMessage, kInitTag, 0});
    if (m_parts) {
        m_requests.Send(WindowRequest{kLanguageMessage, kLanguageTag, LanguageIndex()});
        m_parts->languageTable.LoadLanguageTable(
            SkinFilePath(m_context.paths.programFolder, u"Skins\\language.ini"));
    }
}

void ResidentCore::Run() {
    Start();
    if (m_exiting) {
        return;
    }
    QEventLoop loop;
    m_loop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_loop = nullptr;
}

CTesselDlg& ResidentCore::Window() {
    if (!m_window) {
        m_window = std::make_unique<CTesselDlg>(m_context, *this);
        m_window->Create();
        if (m_scenes) {
            m_scenes->AttachWindow(m_window.get());
        }
        m_window->ShowCoreState();
        FocusSwitchStateChanged();
        emit WindowBuilt(m_window.get());
    }
    return *m_window;
}

void ResidentCore::BindDevice() {
    if (!m_parts) {
        return;
    }
    m_status = std::make_unique<StatusChannels>(*this, *m_attachedFacts);
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

void ResidentCore::CreateProfileModels() {
    Registry& registry = m_parts->settings ? *m_parts->settings : Registry::CurrentUser();
    m_settings = std::make_unique<ProfileSettings>(registry);
    m_dataFolder = m_parts->dataFolder.empty() ? UserDataFolder() : m_parts->dataFolder;
    m_sceneFile = std::make_unique<SceneFile>(m_dataFolder, m_context.editStore);
    m_lightingFiles = std::make_unique<LightingFileStore>(
        m_context.paths.colourFilePrefix.parent_path(), m_dataFolder);
    m_lighting = std::make_unique<LightingModel>(*m_session, *m_lightingFiles);
    SceneServices services{
        *m_session, *m_sceneFile,    m_context.editStore, m_parts->prompter, m_parts->languageTable,
        *m_texts,   m_context.paths, m_parts->keyboard,   *m_settings,       m_dataFolder};
    m_scenes = std::make_unique<SceneSwitch>(static_cast<SceneHost&>(*this), services, nullptr);
}

void ResidentCore::StopStatusChannels() {
    if (m_status) {
        // The library keeps calling back after the core is gone: nothing may
        // reach the channels any more.
        DeviceEventRouter::Instance().SetStatusListener(nullptr);
        m_status->Stop();
    }
}

MacroLayer ResidentCore::ActiveLayer() const {
    return m_status ? m_status->ActiveLayer() : m_macroLayer.load();
}

void ResidentCore::OnInitRequest(uintptr_t wParam) {
    if (wParam != kInitTag) {
        return;
    }
    CreateTrayIcon();
    CreateFocusSwitch();
    m_initialised = true;
    HideWindow();
    if (std::exchange(m_openUpdateAtStart, false)) {
        m_requests.Post(WindowRequest{kCommandMessage, kCommandUpdate, 0});
    }
}

}  // namespace tessel
