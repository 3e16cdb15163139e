#include "app/PlatformInstanceServices.h"

#include <unistd.h>
#include <chrono>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

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

std::string TemporaryFolderName() {
    std::error_code error;
    const auto folder = std::filesystem::temp_directory_path(error);
    return error ? std::string("/tmp") : folder.string();
}

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

int FindUserInstance(std::string_view programFileName) {
    // Only an instance of this user's runtime folder counts: its endpoint there
    // names it, and the process table confirms that it runs this program.
    for (int pid : EndpointProcesses(kInstanceName)) {
        if (pid != getpid() && ProcessRunsFile(pid, programFileName)) {
            return pid;
        }
    }
    return 0;
}

int PlatformInstanceServices::FindInstance() {
    return FindUserInstance(m_paths.programFileName);
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
        const std::string process = std::to_string(pid);
        m_unreachedReason = "the running instance (process " + process +
                            ") did not answer; nothing was done (end it with \"kill " + process +
                            "\" and start again)";
    }
}

MutexOpen PlatformInstanceServices::OpenMutex() {
    const MutexOpen opened = m_mutex.Open();
    if (opened == MutexOpen::Unavailable) {
        // Without the lock nothing keeps a second instance off the keyboard.
        std::fprintf(stderr,
                     "%s: cannot start: no folder of this user to keep the single-instance "
                     "lock in (XDG_RUNTIME_DIR=%s is not writable, nor is a private folder "
                     "under %s)\n",
                     m_paths.programFileName.c_str(),
                     std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "",
                     TemporaryFolderName().c_str());
        EndProcess(1);
    }
    return opened;
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
