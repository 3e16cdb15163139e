#pragma once
// The application object: start-up in a fixed order, then the main window
// until the exit sequence has run.

#include <string>
#include <vector>

#include "app/ProgramPaths.h"
#include "app/SingleInstance.h"
#include "model/ConfigStore.h"

namespace tessel {

class CTesselApp {
public:
    // `arguments`: the command line after the program name. `instance` has
    // already made this process the running instance.
    CTesselApp(std::vector<std::string> arguments, InstanceServices& instance);

    // Returns false: the process ends once the main window has closed.
    bool InitInstance();

    const ProgramPaths& Paths() const { return m_paths; }
    // The process's exit status once InitInstance has returned.
    int ExitStatus() const { return m_exitStatus; }

private:
    std::vector<std::string> m_arguments;
    InstanceServices& m_instance;
    ProgramPaths m_paths;
    int m_exitStatus = 0;
};

}  // namespace tessel
