#pragma once
// What the application object hands its main window: the program's paths,
// the single-instance services, the command line, the two stores of key
// assignments and the window's parts, all of which live for the whole run.

#include <string>
#include <vector>

#include "app/MainWindowParts.h"
#include "app/ProgramPaths.h"
#include "app/SingleInstance.h"
#include "model/ConfigStore.h"

namespace tessel {

struct AppContext {
    const ProgramPaths& paths;
    InstanceServices& instance;
    std::vector<std::string> arguments;  // after the program name
    ConfigStore& editStore;
    ConfigStore& applyStore;
    // The skin, the keyboard and the texts. Without them the window runs its
    // life cycle alone (requests, tray, exit sequence): no skin is loaded, no
    // keyboard bound, and Open shows the window without asking the keyboard.
    MainWindowParts* parts = nullptr;
};

}  // namespace tessel
