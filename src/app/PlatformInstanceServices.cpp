#include "app/PlatformInstanceServices.h"

#include <chrono>
#include <cstdio>

#include "app/AppIdentity.h"
#include "platform/EndProcess.h"
#include "platform/FindProcess.h"
#include "platform/RequestEndpoint.h"
#include "platform/ShellOpen.h"

namespace tessel {

namespace {

// The running instance may be showing a message box inside its handler: do
// not wait for the user.
constexpr std::chrono::milliseconds kDeliveryWait{5000};

const char* WhatWasAsked(const WindowRequest& request) {
    if (request.message == kKillMessage) {
        return "exit";
    }
    if (request.message == kCommandMessage) {
        return request.wParam == kCommandUpdate ? "open its firmware update dialog"
                                                : "reload its language";
    }
    return "open its window";
}

}  // namespace

PlatformInstanceServices::PlatformInstanceServices(const ProgramPaths& paths)
    : m_paths(paths), m_mutex(kInstanceName) {}

int PlatformInstanceServices::FindInstance() {
    return FindProcessByFileName(m_paths.programFileName);
}

void PlatformInstanceServices::DeliverRequest(int pid, const WindowRequest& request) {
    const auto answer =
        tessel::DeliverRequest(kInstanceName, pid, kMainMarker, request, kDeliveryWait);
    // Said on the terminal, so a user who started the program there knows why
    // no window appears from this process.
    if (answer) {
        std::fprintf(stderr, "%s: asked the running instance (process %d) to %s\n",
                     m_paths.programFileName.c_str(), pid, WhatWasAsked(request));
    } else {
        std::fprintf(stderr, "%s: the running instance (process %d) did not answer\n",
                     m_paths.programFileName.c_str(), pid);
    }
}

MutexOpen PlatformInstanceServices::OpenMutex() {
    return m_mutex.Open();
}

void PlatformInstanceServices::CloseMutex() {
    m_mutex.Close();
}

void PlatformInstanceServices::StartAgent() {
    // A missing agent does not stop the program.
    ShellOpen(m_paths.agentPath, u"", {}, ShowCommand::Hidden);
}

void PlatformInstanceServices::EndProcess(int exitCode) {
    tessel::EndProcess(exitCode);
}

}  // namespace tessel
