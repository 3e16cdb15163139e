#include <QApplication>
#include <string>
#include <vector>

#include "app/CTesselApp.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The program lives in the tray: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // QApplication has taken its own options out of argv.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    tessel::CTesselApp app(std::move(arguments));
    app.InitInstance();
    return app.ExitStatus();
}
