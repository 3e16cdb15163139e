#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/CTesselApp.h"
#include "app/CommandLine.h"
#include "app/HeadlessCommands.h"
#include "app/PlatformInstanceServices.h"
#include "app/ProgramPaths.h"
#include "app/SingleInstance.h"
#include "app/StartFailureBox.h"
#include "platform/ModuleFileName.h"
#include "platform/StartupFailureReport.h"
#include "platform/qt/X11Colormaps.h"

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// Qt ends the process with an abort when it finds no display; say why instead.
bool CanShowWindows() {
    return Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

// Without a display only a hand-over can succeed: no agent for a process that
// cannot run.
class HandOverOnly final : public tessel::InstanceServices {
public:
    explicit HandOverOnly(tessel::InstanceServices& services) : m_services(services) {}
    int FindInstance() override { return m_services.FindInstance(); }
    bool DeliverRequest(int pid, const tessel::WindowRequest& request) override {
        return m_services.DeliverRequest(pid, request);
    }
    tessel::MutexOpen OpenMutex() override { return m_services.OpenMutex(); }
    void CloseMutex() override { m_services.CloseMutex(); }
    void StartAgent() override {}
    void EndProcess(int exitCode) override { m_services.EndProcess(exitCode); }

private:
    tessel::InstanceServices& m_services;
};

}  // namespace

int main(int argc, char** argv) {
    using namespace tessel;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ProgramPaths paths = ProgramPaths::FromModuleFileName(ModuleFileName());

    // Everything that only talks to the keyboard or to the running instance
    // happens before the graphical application exists: it needs no display.
    const CommandLineScan scan = ScanCommandLine(arguments);
    if (!scan.error.empty()) {
        std::fprintf(stderr, "%s: %s (see --help)\n", paths.programFileName.c_str(),
                     scan.error.c_str());
        return 2;
    }
    if (scan.command) {
        return RunHeadlessCommand(*scan.command, paths);
    }
    PlatformInstanceServices instance(paths);
    if (!CanShowWindows()) {
        HandOverOnly handOver(instance);
        if (ClaimSingleInstance(arguments, handOver).handedOver) {
            if (instance.UnreachedReason().empty()) {
                return 0;
            }
            ReportStartupFailure(instance.UnreachedReason());
            return 1;
        }
        instance.CloseMutex();
        std::fprintf(stderr,
                     "%s: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are "
                     "unset) and no running instance; the keyboard commands need none, see "
                     "--help\n",
                     paths.programFileName.c_str());
        return 1;
    }
    const bool handedOver = ClaimSingleInstance(arguments, instance).handedOver;
    if (handedOver && instance.UnreachedReason().empty()) {
        return 0;
    }

    CTesselQApplication application(argc, argv);
    const X11Colormaps colormaps;
    if (handedOver) {
        return ReportUnreachedInstance(instance.UnreachedReason(), arguments);
    }
    // The program lives in the tray: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // QApplication has taken its own options out of argv.
    CTesselApp app(std::vector<std::string>(argv + 1, argv + argc), instance);
    app.InitInstance();
    return app.ExitStatus();
}
