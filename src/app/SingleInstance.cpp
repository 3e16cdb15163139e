#include "app/SingleInstance.h"

#include "app/AppIdentity.h"
#include "app/StartSwitches.h"

namespace tessel {

namespace {

// True when a running instance was found and asked.
bool HandOver(InstanceServices& services, uint32_t message, uintptr_t tag) {
    const int pid = services.FindInstance();
    if (pid == 0) {
        return false;
    }
    services.DeliverRequest(pid, WindowRequest{message, tag, 0});
    return true;
}

}  // namespace

InstanceClaim ClaimSingleInstance(std::span<const std::string> arguments,
                                  InstanceServices& services) {
    InstanceClaim claim;
    for (StartSwitch found : ScanStartSwitches(arguments)) {
        switch (found) {
            case StartSwitch::Start:
                claim.firstShow = true;
                break;
            case StartSwitch::Kill:
                if (HandOver(services, kKillMessage, kKillTag)) {
                    claim.handedOver = true;
                    return claim;
                }
                break;
            // The commands go on to the switches after them: "/Language /Update"
            // gives both.
            case StartSwitch::Update:
                if (HandOver(services, kCommandMessage, kCommandUpdate)) {
                    claim.handedOver = true;
                } else {
                    claim.openUpdateDialog = true;
                }
                break;
            case StartSwitch::Language:
                // Without a running instance the language is loaded at start anyway.
                claim.handedOver = HandOver(services, kCommandMessage, kCommandLanguage) ||
                                   claim.handedOver;
                break;
        }
    }
    if (claim.handedOver) {
        return claim;
    }
    // The mutex may be held by a program of another file name: then no
    // instance is found and this process runs as well.
    if (services.OpenMutex() == MutexOpen::AlreadyExists &&
        HandOver(services, kOpenMessage, kOpenTag)) {
        claim.handedOver = true;
        return claim;
    }
    services.StartAgent();
    return claim;
}

}  // namespace tessel
