#include "app/SingleInstance.h"

#include "app/AppIdentity.h"
#include "app/StartSwitches.h"

namespace tessel {

namespace {

// An instance that ends while a start hands its request over has removed its
// endpoint; the start then waits for the mutex again. Each retry needs another
// instance that ended in between, so a few are plenty.
constexpr int kHandOverAttempts = 4;

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
    for (int attempt = 0; attempt < kHandOverAttempts; ++attempt) {
        if (services.OpenMutex() != MutexOpen::AlreadyExists) {
            break;
        }
        // The mutex may be held by a program of another file name: then no
        // instance is found and this process runs as well.
        const int pid = services.FindInstance();
        if (pid == 0) {
            break;
        }
        if (services.DeliverRequest(pid, WindowRequest{kOpenMessage, kOpenTag, 0}) ||
            services.FindInstance() == pid) {
            // Taken, or the instance runs but does not answer: the services
            // have said which.
            claim.handedOver = true;
            return claim;
        }
    }
    services.StartAgent();
    return claim;
}

void LeaveSingleInstance(RequestEndpoint* endpoint, InstanceServices& services) {
    if (endpoint) {
        endpoint->Withdraw();
    }
    services.CloseMutex();
}

}  // namespace tessel
