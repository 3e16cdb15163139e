#pragma once
// What the application object hands its main window: the program's paths,
// the single-instance services, the command line and the two stores of key
// assignments, all of which live for the whole run.

#include <string>
#include <vector>

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
};

}  // namespace tessel
