#pragma once
// The single-instance rule on the real system: mutex file, process search,
// request endpoints and the shell.

#include <string>
#include <string_view>

#include "app/ProgramPaths.h"
#include "app/SingleInstance.h"
#include "platform/NamedMutex.h"

namespace tessel {

class PlatformInstanceServices : public InstanceServices {
public:
    explicit PlatformInstanceServices(const ProgramPaths& paths);

    int FindInstance() override;
    bool DeliverRequest(int pid, const WindowRequest& request) override;
    MutexOpen OpenMutex() override;
    void CloseMutex() override;
    void StartAgent() override;
    [[noreturn]] void EndProcess(int exitCode) override;

    // After a request the running instance did not take: why, for the user;
    // empty otherwise.
    const std::string& UnreachedReason() const { return m_unreachedReason; }

private:
    // After a kill request: until the instance has let the mutex go, so that
    // a start right after this process ends becomes the new instance.
    void WaitUntilEnded(int pid);

    const ProgramPaths& m_paths;
    NamedMutex m_mutex;
    std::string m_unreachedReason;
};

// The id of this user's running instance of `programFileName` in the user's
// runtime folder; 0 when there is none.
int FindUserInstance(std::string_view programFileName);

}  // namespace tessel
