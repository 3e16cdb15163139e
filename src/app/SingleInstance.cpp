#include "app/SingleInstance.h"

#include "app/AppIdentity.h"
#include "app/StartSwitches.h"

namespace tessel {

namespace {

// True when a running instance was found and asked.
bool HandOver(InstanceServices& services, const WindowRequest& request) {
    const int pid = services.FindInstance();
    if (pid == 0) {
        return false;
    }
    services.DeliverRequest(pid, request);
    return true;
}

}  // namespace

InstanceClaim ClaimSingleInstance(std::span<const std::string> arguments,
                                  InstanceServices& services) {
    InstanceClaim claim;
    for (StartSwitch found : ScanStartSwitches(arguments)) {
        if (found == StartSwitch::Start) {
            claim.firstShow = true;
        }
        // A switch for the running instance has no effect when none runs.
        const auto& request = InfoOf(found).handOver;
        if (request && HandOver(services, *request)) {
            claim.handedOver = true;
            return claim;
        }
    }
    // The mutex may be held by a program of another file name: then no
    // instance is found and this process runs as well.
    if (services.OpenMutex() == MutexOpen::AlreadyExists &&
        HandOver(services, WindowRequest{kOpenMessage, kOpenTag, 0})) {
        claim.handedOver = true;
        return claim;
    }
    services.StartAgent();
    return claim;
}

}  // namespace tessel
