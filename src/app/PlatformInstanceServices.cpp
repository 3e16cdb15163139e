#include "app/PlatformInstanceServices.h"

#include <unistd.h>
#include <chrono>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/AppIdentity.h"
#include "app/InstanceWait.h"
#include "platform/ActivationToken.h"
#include "platform/EndProcess.h"
#include "platform/FindProcess.h"
#include "platform/RequestEndpoint.h"
#include "platform/ShellOpen.h"
#include "text/UserLanguageSelector.h"

namespace tessel {

namespace {

// Time for a running instance to take a request: its endpoint has a thread
// of its own, so only a stopped or hung instance takes longer.
constexpr std::chrono::milliseconds kDeliveryWait{5000};
// An instance ends its exit sequence with the mutex let go first.
constexpr std::chrono::seconds kExitWait{10};

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

bool PlatformInstanceServices::DeliverRequest(int pid, const WindowRequest& request) {
    // Stored here too, so that a selector neither the program folder nor the
    // user's folder can keep is told to the user who asked, with a status.
    if (request.message == kCommandMessage && request.wParam == kCommandLanguage) {
        const std::filesystem::path languageIni = m_paths.programFolder / "Skins" / "language.ini";
        if (!StoreLanguageCommandSelector(languageIni)) {
            m_unreachedReason = "cannot keep the language choice: neither " + languageIni.string() +
                                " nor " + UserLanguageSelectorFile().string() +
                                " can be written; nothing was done";
            return false;
        }
    }
    // The desktop's activation token goes along with an open request, so the
    // compositor lets the running instance take the focus.
    const std::string token = request.message == kOpenMessage && request.wParam == kOpenTag
                                  ? StartActivationToken().value_or(std::string())
                                  : std::string();
    const auto answer =
        DeliverRequestWithText(kInstanceName, pid, kMainMarker, request, token, kDeliveryWait);
    // Said on the terminal, so a user who started the program there knows why
    // no window appears from this process.
    if (!answer || answer->result == 0) {
        const std::string process = std::to_string(pid);
        m_unreachedReason = "the running instance (process " + process +
                            ") did not answer; nothing was done (end it with \"kill " + process +
                            "\" and start again)";
        return false;
    }
    m_unreachedReason.clear();
    if (!token.empty()) {
        ForgetStartActivationToken();
    }
    std::fprintf(stderr, "%s: asked the running instance (process %d) to %s\n",
                 m_paths.programFileName.c_str(), pid, WhatWasAsked(request));
    if (request.message == kKillMessage) {
        WaitUntilEnded(pid);
    }
    return true;
}

void PlatformInstanceServices::WaitUntilEnded(int pid) {
    NamedMutex mutex(kInstanceName);
    if (mutex.Open() == MutexOpen::AlreadyExists &&
        WaitForMutexOrInstance(mutex, m_paths.programFileName, false, kExitWait).outcome ==
            MutexWait::TimedOut) {
        std::fprintf(stderr, "%s: the running instance (process %d) has not ended yet\n",
                     m_paths.programFileName.c_str(), pid);
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
    if (opened == MutexOpen::Created) {
        return opened;
    }
    const MutexWaitResult waited = WaitForMutexOrInstance(m_mutex, m_paths.programFileName, true);
    switch (waited.outcome) {
        case MutexWait::Owned:
            return MutexOpen::Created;
        case MutexWait::Instance:
        case MutexWait::OtherProgram:
            return MutexOpen::AlreadyExists;
        case MutexWait::TimedOut:
            break;
    }
    // Another start of this program that neither finished starting nor ended:
    // a second instance would talk to the keyboard beside it.
    std::fprintf(
        stderr,
        "%s: another process of this program (%s) holds the single-instance lock "
        "but did not become reachable; nothing was done\n",
        m_paths.programFileName.c_str(),
        waited.pid != 0 ? ("process " + std::to_string(waited.pid)).c_str() : "process unknown");
    EndProcess(1);
    return MutexOpen::AlreadyExists;
}

void PlatformInstanceServices::CloseMutex() {
    m_mutex.Close();
}

void PlatformInstanceServices::StartAgent() {
    // A missing agent does not stop the program, nor does one that is not a
    // program: handed to the desktop's opener it would open as a document.
    if (IsExecutableFile(m_paths.agentPath)) {
        ShellOpen(m_paths.agentPath, u"", {}, ShowCommand::Hidden);
    }
}

void PlatformInstanceServices::EndProcess(int exitCode) {
    tessel::EndProcess(exitCode);
}

}  // namespace tessel
