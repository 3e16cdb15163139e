#include "device/DeviceStartup.h"

#include <algorithm>
#include <vector>

#include "platform/EndProcess.h"
#include "platform/Library.h"
#include "platform/StartupFailureReport.h"

namespace tessel {
namespace {

class LibraryExports final : public ExportResolver {
public:
    explicit LibraryExports(const Library& library) : library_(library) {}
    void* Resolve(const std::string& name) override { return library_.Symbol(name.c_str()); }

private:
    const Library& library_;
};

// The library's threads call into the program until the process ends, so it
// is never unloaded, not even by static destructors at exit.
const Library& KeepLoaded(Library library) {
    static auto* kept = new std::vector<std::unique_ptr<Library>>();
    kept->push_back(std::make_unique<Library>(std::move(library)));
    return *kept->back();
}

}  // namespace

DeviceStartup StartDeviceLink(const std::filesystem::path& programFolder,
                              StatusChannelListener* listener) {
    std::string error;
    std::optional<Library> library = Library::Load(programFolder, kDeviceLibraryFileName, &error);
    if (!library) {
        DeviceStartup startup;
        startup.failure = "cannot load the device-service library: " + error;
        return startup;
    }
    LibraryExports exports(KeepLoaded(std::move(*library)));
    return StartDeviceLink(exports, listener);
}

DeviceStartup StartDeviceLink(ExportResolver& exports, StatusChannelListener* listener) {
    DeviceStartup startup;
    const DeviceFunctionsBinding binding = ResolveDeviceFunctions(exports);
    if (!binding.missingExport.empty()) {
        startup.failure = "the device-service library has no export " + binding.missingExport;
        return startup;
    }
    auto connection = std::make_unique<DeviceConnection>(binding.functions);
    const int ready = connection->Service().Init();
    if (ready <= 0) {
        startup.failure = "the device-service library did not start (Init returned " +
                          std::to_string(ready) + ")";
        return startup;
    }
    DeviceEventRouter::Instance().SetStatusListener(listener);
    startup.deviceCount = std::max(0, connection->OpenChannels());
    startup.connection = std::move(connection);
    return startup;
}

DeviceStartup EndProcessUnlessStarted(DeviceStartup startup) {
    if (!startup.connection) {
        ReportStartupFailure(startup.failure);
        EndProcess(1);
    }
    return startup;
}

}  // namespace tessel
