#include "device/KeyboardSession.h"

#include <future>
#include <memory>
#include <utility>

#include "device/CommandTransport.h"
#include "device/DeviceResult.h"

namespace tessel {

KeyboardSession::KeyboardSession(DeviceLink& link, Deliver deliver, FailureNotice failureNotice)
    : link_(link),
      deliver_(std::move(deliver)),
      failureNotice_(std::move(failureNotice)),
      thread_([this] { RunJobs(); }) {}

KeyboardSession::~KeyboardSession() {
    Stop();
}

bool KeyboardSession::Submit(Work work, Done done, OnFailure onFailure) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) {
            return false;
        }
        const bool quiet = quietSubmits_;
        queue_.push_back(Job{nextJob_++, std::move(work), std::move(done), nullptr,
                             quiet ? OnFailure::Quiet : onFailure, quiet});
    }
    changed_.notify_all();
    return true;
}

void KeyboardSession::SubmitQuietlyWithin(const std::function<void()>& asks) {
    const bool outer = quietSubmits_.exchange(true);
    asks();
    quietSubmits_ = outer;
}

int KeyboardSession::Run(Work work) {
    auto answer = std::make_shared<std::promise<int>>();
    std::future<int> result = answer->get_future();
    {
        std::lock_guard lock(mutex_);
        if (stopping_) {
            return kDeviceAbsent;
        }
        // Answered on the session's thread: the caller has no event loop of
        // the owner's to receive it.
        queue_.push_back(Job{nextJob_++, std::move(work), nullptr, answer, OnFailure::Quiet});
    }
    changed_.notify_all();
    return result.get();
}

bool KeyboardSession::IsBusy() const {
    std::lock_guard lock(mutex_);
    return running_ || !queue_.empty();
}

void KeyboardSession::WaitUntilIdle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !running_ && queue_.empty(); });
}

void KeyboardSession::Stop() {
    std::deque<Job> dropped;
    {
        std::lock_guard lock(mutex_);
        if (stopping_ && !thread_.joinable()) {
            return;
        }
        stopping_ = true;
        dropped.swap(queue_);
    }
    // Waiting callers learn that their job never ran.
    for (Job& job : dropped) {
        if (job.answer) {
            job.answer->set_value(kDeviceAbsent);
        }
    }
    changed_.notify_all();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) {
        thread_.join();
    }
}

void KeyboardSession::SetJobObserver(JobObserver observer) {
    std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

void KeyboardSession::RunJobs() {
    for (;;) {
        Job job;
        JobObserver observer;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_) {
                return;
            }
            job = std::move(queue_.front());
            queue_.pop_front();
            running_ = true;
            observer = observer_;
        }
        if (observer) {
            observer(job.number, true);
        }
        const int result = Execute(job);
        if (observer) {
            observer(job.number, false);
        }
        if (job.answer) {
            job.answer->set_value(result);
        }
        const bool tell = job.onFailure == OnFailure::Tell && failureNotice_;
        if (job.done || tell) {
            deliver_([this, notice = tell ? failureNotice_ : FailureNotice{},
                      done = std::move(job.done), quietChain = job.quietChain, result] {
                if (notice) {
                    notice(result);
                }
                if (done && quietChain) {
                    SubmitQuietlyWithin([&] { done(result); });
                } else if (done) {
                    done(result);
                }
            });
        }
        {
            std::lock_guard lock(mutex_);
            running_ = false;
        }
        changed_.notify_all();
    }
}

int KeyboardSession::Execute(Job& job) {
    TransferSequence sequence;
    const int result = job.work(link_);
    return sequence.Failed() ? sequence.FirstFailure() : result;
}

}  // namespace tessel
