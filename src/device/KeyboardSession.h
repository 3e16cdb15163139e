#pragma once
// The one owner of the keyboard's command channel. Every frame sequence the
// program sends (apply, import, lighting, profile switch, reads at attach,
// commands from a terminal, boot mode) is a job: jobs run one at a time on the
// session's own thread, in the order they were asked for, each as one
// sequence, so no job's frames land inside another's bracket. A job fails as
// a whole when any of its frames fails.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

#include "device/DeviceLink.h"
#include "device/KeyboardJobs.h"

namespace tessel {

class KeyboardSession final : public KeyboardJobs {
public:
    // Carries a call to the owner's thread (the window's event loop).
    using Deliver = std::function<void(std::function<void()>)>;
    // Told when a job begins and ends, on the session's thread.
    using JobObserver = std::function<void(uint64_t job, bool begins)>;
    // Told on the owner's thread of the result of every job that asked for
    // failures to be told, so that a success can end a run of failures.
    using FailureNotice = std::function<void(int result)>;

    KeyboardSession(DeviceLink& link, Deliver deliver, FailureNotice failureNotice = {});
    // Stops: waits for the running job, drops the queued ones.
    ~KeyboardSession() override;
    KeyboardSession(const KeyboardSession&) = delete;
    KeyboardSession& operator=(const KeyboardSession&) = delete;

    bool Submit(Work work, Done done = {}, OnFailure onFailure = OnFailure::Tell) override;
    // Jobs asked for while `asks` runs, and the jobs their results ask for in
    // turn, keep their failures to themselves: for what the user did not
    // start (following the application in front), where the next occasion
    // simply tries again. Window thread only.
    void SubmitQuietlyWithin(const std::function<void()>& asks);
    // For threads other than the owner's and the session's: queues the job
    // and waits for its result; kDeviceAbsent when the session stops first.
    int Run(Work work);

    // A job runs or waits.
    bool IsBusy() const;
    // Returns once no job runs or waits.
    void WaitUntilIdle();
    // Waits for the running job's bracket to end, drops the queued jobs and
    // refuses new ones. Bounded by the transport's time-outs of one frame.
    void Stop();

    // The active profile as last read or written; never asks the keyboard.
    int CachedActiveProfile() const override { return link_.CachedActiveProfile(); }
    void SetJobObserver(JobObserver observer);

private:
    struct Job {
        uint64_t number;
        Work work;
        Done done;
        std::shared_ptr<std::promise<int>> answer;
        OnFailure onFailure = OnFailure::Quiet;
        // Asked for quietly: what its `done` asks for in turn is quiet too.
        bool quietChain = false;
    };
    void RunJobs();
    int Execute(Job& job);

    DeviceLink& link_;
    Deliver deliver_;
    FailureNotice failureNotice_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> queue_;
    bool running_ = false;
    bool stopping_ = false;
    std::atomic<bool> quietSubmits_{false};
    uint64_t nextJob_ = 1;
    JobObserver observer_;
    std::thread thread_;
};

}  // namespace tessel
