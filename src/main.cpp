#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "app/CTesselApp.h"
#include "app/CommandLine.h"
#include "app/HeadlessCommands.h"
#include "app/PlatformInstanceServices.h"
#include "app/ProgramPaths.h"
#include "app/SingleInstance.h"
#include "platform/ModuleFileName.h"

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
    if (ClaimSingleInstance(arguments, instance).handedOver) {
        return 0;
    }

    QApplication application(argc, argv);
    // The program lives in the tray: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // QApplication has taken its own options out of argv.
    CTesselApp app(std::vector<std::string>(argv + 1, argv + argc), instance);
    app.InitInstance();
    return app.ExitStatus();
}
