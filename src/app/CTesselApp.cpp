#include "app/CTesselApp.h"

#include <QApplication>
#include <cstdio>
#include <memory>

#include "app/AppContext.h"
#include "app/AppIdentity.h"
#include "app/MainWindowParts.h"
#include "app/ScreenshotMode.h"
#include "app/StartFailureBox.h"
#include "mainwindow/CTesselDlg.h"
#include "model/KeyboardFacts.h"
#include "platform/ModuleFileName.h"
#include "platform/Registry.h"
#include "platform/StartupFailureReport.h"
#include "platform/UserFolders.h"
#include "platform/qt/QtPrompter.h"
#include "platform/qt/QtText.h"
#include "resident/ResidentCore.h"
#include "text/LanguageChoice.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"
#include "text/SafeFormat.h"

namespace tessel {

std::string LogEventException(const char* receiverClass, int eventType, const char* what) {
    std::fprintf(stderr,
                 "tessel: the handling of event %d at %s failed (%s); the program goes on\n",
                 eventType, receiverClass, what);
    std::fflush(stderr);
    return what;
}

CTesselQApplication::CTesselQApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool CTesselQApplication::notify(QObject* receiver, QEvent* event) {
    std::optional<std::string> caught;
    const bool handled = DeliverCatching([&] { return QApplication::notify(receiver, event); },
                                         receiver, event, caught);
    if (caught) {
        ReportLater(*caught);
    }
    return handled;
}

// Not from inside the failed delivery: its caller may still be unwinding
// state the message box's event loop would touch. Events of worker threads
// pass here too: the report is always made on the window thread.
void CTesselQApplication::ReportLater(const std::string& what) {
    if (m_reporting.exchange(true)) {
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this, what] {
            if (m_report) {
                m_report(what);
            }
            m_reporting = false;
        },
        Qt::QueuedConnection);
}

CTesselApp::CTesselApp(std::vector<std::string> arguments, InstanceServices& instance)
    : m_arguments(std::move(arguments)), m_instance(instance) {}

bool CTesselApp::InitInstance() {
    // Step 1: the framework settings live under Software\<company>\<application>.
    QCoreApplication::setOrganizationName(FromUtf8(kCompanyKey));
    QCoreApplication::setApplicationName(FromUtf8(kApplicationName));
    QGuiApplication::setApplicationDisplayName(FromUtf8(kApplicationName));

    // Step 2.
    m_paths = ProgramPaths::FromModuleFileName(ModuleFileName());
    KeepColourFilesWritable(m_paths, ConfigFolder() / "tessel" / "Skins");

    // Step 3: without the key the language choice falls back to its default.
    Registry::CurrentUser().CreateKey(kProductKey);

    // Step 4: the edit store and the apply store, each with its own lock.
    auto editStore = std::make_unique<ConfigStore>();
    auto applyStore = std::make_unique<ConfigStore>();

    // Step 5. The window's texts, dialogs and keyboard facts live as long as it.
    LanguageChoice language(Registry::CurrentUser());
    LanguageFiles languageFiles(m_paths.programFolder);
    LanguageTable languageTable;
    QtPrompter prompter;
    QtPrompter startupFailurePrompter;
    if (StartFailureBoxWanted(m_arguments, QGuiApplication::platformName().toStdString())) {
        SetStartupFailurePrompter(&startupFailurePrompter);
    }
    KeyboardFacts keyboard;
    MainWindowParts parts{language, languageFiles, languageTable, prompter, keyboard};
    AppContext context{m_paths, m_instance, m_arguments, *editStore, *applyStore, &parts};
    // The window is built when it is first shown; boxes shown before that
    // have no owner.
    auto core = std::make_unique<ResidentCore>(context);
    QObject::connect(core.get(), &ResidentCore::WindowBuilt,
                     [&prompter](QWidget* window) { prompter.SetParent(window); });
    auto* application = dynamic_cast<CTesselQApplication*>(QCoreApplication::instance());
    if (application) {
        application->SetFaultReport([&](const std::string& what) {
            const std::u16string text =
                languageFiles.LocalText(u"IDS_PROGRAM_ERROR_KEPT", language.LanguageIndex());
            prompter.ShowMessage(SafeFormat(text, {FromUtf8(what).toStdU16String()}), u"",
                                 PromptButtons::Ok, PromptIcon::Warning);
        });
    }
    if (auto screenshot = ScanScreenshotRequest(m_arguments)) {
        ResidentCore* resident = core.get();
        core->Start();
        CTesselDlg* shown = &core->Window();
        ArmScreenshot(
            *shown, std::move(*screenshot), m_paths.mainSkinFile,
            [resident] { return resident->IsInitialised(); },
            [this, resident](int status) {
                m_exitStatus = status;
                resident->ExitWhenBoxesClosed();
            },
            [shown](int controlId) -> QWidget* {
                Tessel_DlgComposite* editor = shown->KeyEditor();
                if (!editor || !shown->Keyboard()) {
                    return nullptr;
                }
                editor->SetModeless(true);
                shown->Keyboard()->OpenKeyEntry(controlId);
                return editor->IsOpen() ? editor : nullptr;
            });
    }
    core->Run();
    SetStartupFailurePrompter(nullptr);
    if (application) {
        application->SetFaultReport(nullptr);
    }

    // Step 6. The desktop repaints what the window covered by itself.
    editStore.reset();
    applyStore.reset();
    core.reset();
    return false;
}

}  // namespace tessel
