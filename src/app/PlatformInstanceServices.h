#pragma once
// The single-instance rule on the real system: mutex file, process search,
// request endpoints and the shell.

#include "app/ProgramPaths.h"
#include "app/SingleInstance.h"
#include "platform/NamedMutex.h"

namespace tessel {

class PlatformInstanceServices : public InstanceServices {
public:
    explicit PlatformInstanceServices(const ProgramPaths& paths);

    int FindInstance() override;
    void DeliverRequest(int pid, const WindowRequest& request) override;
    MutexOpen OpenMutex() override;
    void CloseMutex() override;
    void StartAgent() override;
    [[noreturn]] void EndProcess(int exitCode) override;

private:
    const ProgramPaths& m_paths;
    NamedMutex m_mutex;
};

}  // namespace tessel
