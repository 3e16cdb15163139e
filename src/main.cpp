#include <QApplication>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/CTesselApp.h"
#include "app/StartSwitches.h"

int main(int argc, char** argv) {
    // Asked from a terminal, possibly without a display: answered before Qt starts.
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help") {
            std::printf("Usage: tessel [switches]\n\n%s", tessel::StartSwitchUsage());
            return 0;
        }
    }
    QApplication application(argc, argv);
    // The program lives in the tray: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // QApplication has taken its own options out of argv.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    tessel::CTesselApp app(std::move(arguments));
    app.InitInstance();
    return app.ExitStatus();
}
