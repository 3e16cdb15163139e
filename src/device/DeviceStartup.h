#pragma once
// Brings the device link up when the main window initialises: load and bind
// the library, start it, open the channels and count the keyboards. A failure
// ends the process before any window appears.

#include <filesystem>
#include <memory>
#include <string>

#include "device/DeviceConnection.h"
#include "device/DeviceEvents.h"
#include "device/DeviceFunctions.h"

namespace tessel {

inline constexpr char kDeviceLibraryFileName[] = "libTorvex.so";

struct DeviceStartup {
    // nullptr when start-up failed.
    std::unique_ptr<DeviceConnection> connection;
    // Why it failed, as one line for standard error.
    std::string failure;
    // Keyboards attached at start: the presence worker's first count; 0 means
    // the window is not shown by itself later.
    int deviceCount = 0;
};

// Loads the library from the program folder first, then through the normal
// search, and keeps it loaded for the rest of the run. `listener` receives
// attach, removal and notification codes from the moment the channels are
// registered; it may be nullptr.
DeviceStartup StartDeviceLink(const std::filesystem::path& programFolder,
                              StatusChannelListener* listener);
// The same with exports from elsewhere (a library already loaded).
DeviceStartup StartDeviceLink(ExportResolver& exports, StatusChannelListener* listener);

// Passes a successful start-up through. A failed one tells the reason (see
// ReportStartupFailure) and ends the process with status 1, before any window.
DeviceStartup EndProcessUnlessStarted(DeviceStartup startup);

}  // namespace tessel
