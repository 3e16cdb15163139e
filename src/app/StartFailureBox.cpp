#include "app/StartFailureBox.h"

#include <QGuiApplication>

#include "app/AppIdentity.h"
#include "app/ScreenshotMode.h"
#include "platform/StartupFailureReport.h"
#include "platform/qt/QtPrompter.h"
#include "platform/qt/QtText.h"

namespace tessel {

bool StartFailureBoxWanted(std::span<const std::string> arguments, std::string_view platformName) {
    return !ScanScreenshotRequest(arguments).has_value() && PlatformHasAUser(platformName);
}

int ReportUnreachedInstance(const std::string& reason, std::span<const std::string> arguments) {
    // The box's title, as the running program's boxes have.
    QGuiApplication::setApplicationDisplayName(FromUtf8(kApplicationName));
    QtPrompter box;
    if (StartFailureBoxWanted(arguments, QGuiApplication::platformName().toStdString())) {
        SetStartupFailurePrompter(&box);
    }
    ReportStartupFailure(reason);
    SetStartupFailurePrompter(nullptr);
    return 1;
}

}  // namespace tessel
