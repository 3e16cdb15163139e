#pragma once
// The single-instance rule, decided before any window or display is touched,
// so it works from a terminal without one: hand "/Kill" or an ordinary second
// start over to the running instance, or become the running instance and
// start the companion agent.

#include <span>
#include <string>

#include "platform/NamedMutex.h"
#include "platform/WindowRequest.h"

namespace tessel {

// What the rule needs of the system; tests replace it.
class InstanceServices {
public:
    virtual ~InstanceServices() = default;
    // Another process of the program's file name, or 0.
    virtual int FindInstance() = 0;
    // Delivers to the marked main window of `pid` and waits for its handler.
    virtual void DeliverRequest(int pid, const WindowRequest& request) = 0;
    virtual MutexOpen OpenMutex() = 0;
    virtual void CloseMutex() = 0;
    virtual void StartAgent() = 0;
    // Ends the process with `exitCode`; tests record it instead.
    virtual void EndProcess(int exitCode) = 0;
};

struct InstanceClaim {
    // The running instance got the request: this process ends with code 0.
    bool handedOver = false;
    // "/Start" was given: the window stays in the tray.
    bool firstShow = false;
};

// Scans the switches, then takes or opens the mutex, in that order; starts
// the agent when this process becomes the running instance.
InstanceClaim ClaimSingleInstance(std::span<const std::string> arguments,
                                  InstanceServices& services);

}  // namespace tessel
