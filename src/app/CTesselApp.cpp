#include "app/CTesselApp.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/AppContext.h"
#include "app/AppIdentity.h"
#include "app/PlatformInstanceServices.h"
#include "mainwindow/CTesselDlg.h"
#include "platform/ModuleFileName.h"
#include "platform/Registry.h"

namespace tessel {

namespace {

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "--screenshot FILE": show the main window once it is initialised, save a
// picture of it to FILE and exit; used to look at the window without a display.
QString ScreenshotFile(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "--screenshot") {
            return QString::fromStdString(arguments[i + 1]);
        }
    }
    return {};
}

void ScheduleScreenshot(CTesselDlg& window, const QString& file) {
    // After INIT has hidden the window.
    QTimer::singleShot(500, &window, [&window, file] {
        window.show();
        QTimer::singleShot(500, &window, [&window, file] {
            if (!window.grab().save(file)) {
                std::fprintf(stderr, "cannot write the screenshot %s\n", file.toUtf8().constData());
            }
            window.ExitSequence();
        });
    });
}

}  // namespace

CTesselApp::CTesselApp(std::vector<std::string> arguments) : m_arguments(std::move(arguments)) {}

bool CTesselApp::InitInstance() {
    // Step 1: the framework settings live under Software\<company>\<application>.
    QCoreApplication::setOrganizationName(FromView(kCompanyKey));
    QCoreApplication::setApplicationName(FromView(kApplicationName));
    QGuiApplication::setApplicationDisplayName(FromView(kApplicationName));

    // Step 2.
    m_paths = ProgramPaths::FromModuleFileName(ModuleFileName());

    // Step 3: without the key the language choice falls back to its default.
    Registry::CurrentUser().CreateKey(kProductKey);

    // Step 4: the edit store and the apply store, each with its own lock.
    auto editStore = std::make_unique<ConfigStore>();
    auto applyStore = std::make_unique<ConfigStore>();

    // Step 5.
    PlatformInstanceServices instance(m_paths);
    AppContext context{m_paths, instance, m_arguments, *editStore, *applyStore};
    auto window = std::make_unique<CTesselDlg>(context);
    const QString screenshot = ScreenshotFile(m_arguments);
    if (!screenshot.isEmpty()) {
        ScheduleScreenshot(*window, screenshot);
    }
    window->DoModal();

    // Step 6. The desktop repaints what the window covered by itself.
    editStore.reset();
    applyStore.reset();
    window.reset();
    return false;
}

}  // namespace tessel
