#include "CallbackLane.h"

#include "ReportRecord.h"

namespace torvex {

namespace {
thread_local const void* laneOwner = nullptr;
}

CallbackLane::CallbackLane(std::shared_ptr<StandingRead> read, const void* owner)
    : read_(std::move(read)), owner_(owner) {
    thread_ = std::thread([this] { Run(); });
}

CallbackLane::~CallbackLane() {
    Retire();
    Join();
}

const void* CallbackLane::CurrentOwner() {
    return laneOwner;
}

void CallbackLane::Push(Clock::time_point due, std::shared_ptr<const DeviceEvent> event) {
    {
        std::lock_guard guard(lock_);
        if (retired_) {
            return;
        }
        // Equal times keep their order: a multimap inserts after equal keys.
        queue_.emplace(due, std::move(event));
    }
    wake_.notify_all();
}

void CallbackLane::Retire() {
    {
        std::lock_guard guard(lock_);
        retired_ = true;
        queue_.clear();
    }
    wake_.notify_all();
}

bool CallbackLane::Finished() const {
    std::lock_guard guard(lock_);
    return finished_;
}

void CallbackLane::Join() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) {
        thread_.join();
    }
}

void CallbackLane::Run() {
    laneOwner = owner_;
    std::unique_lock guard(lock_);
    while (!retired_ && !read_->removed) {
        if (queue_.empty()) {
            wake_.wait(guard);
            continue;
        }
        // A copy: the queued event may be gone when the wait returns.
        const Clock::time_point due = queue_.begin()->first;
        if (due > Clock::now()) {
            wake_.wait_until(guard, due);
            continue;
        }
        std::shared_ptr<const DeviceEvent> event = std::move(queue_.begin()->second);
        queue_.erase(queue_.begin());
        guard.unlock();
        if (!read_->removed) {
            Deliver(*event);
        }
        guard.lock();
    }
    finished_ = true;
}

void CallbackLane::Deliver(const DeviceEvent& event) {
    ReportRecord report;
    DeviceRequestRecord& record = read_->record;
    record.tag = read_->tag;
    if (event.kind == TORVEX_EVENT_INPUT_REPORT) {
        report.Describe(event.bytes, event.source.usagePage, event.source.usage);
        record.count = static_cast<uint32_t>(event.bytes.size());
        record.data = event.bytes.data();
        record.report = report.data();
    } else {
        record.count = static_cast<uint32_t>(CountMatching(read_->key, event.attached));
        record.data = nullptr;
        record.report = nullptr;
    }
    DeviceEventRecord delivered{};
    delivered.kind = event.kind;
    delivered.request = &record;
    read_->callback(&delivered);
}

}  // namespace torvex
