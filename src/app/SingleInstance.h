#pragma once
// The single-instance rule, decided before any window or display is touched,
// so it works from a terminal without one: hand "/Kill" or an ordinary second
// start over to the running instance, or become the running instance and
// start the companion agent.

#include <span>
#include <string>

#include "platform/NamedMutex.h"
#include "platform/RequestEndpoint.h"
#include "platform/WindowRequest.h"

namespace tessel {

// What the rule needs of the system; tests replace it.
class InstanceServices {
public:
    virtual ~InstanceServices() = default;
    // Another process of the program's file name, or 0.
    virtual int FindInstance() = 0;
    // Delivers to the marked main window of `pid` and waits for its handler;
    // false when the instance did not take the request.
    virtual bool DeliverRequest(int pid, const WindowRequest& request) = 0;
    // Created once this process owns the mutex, AlreadyExists when another
    // process holds it (waiting first, as far as the system allows, for an
    // instance that is starting or ending).
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

// The first step of an instance's exit: from here on no other process finds it
// or hands it a request, and a start becomes the next instance at once.
void LeaveSingleInstance(RequestEndpoint* endpoint, InstanceServices& services);

}  // namespace tessel
