#include "EventDispatcher.h"

#include <algorithm>

#include "ReportRecord.h"

namespace torvex {

EventDispatcher::EventDispatcher(RequestTable& requests) : requests_(requests) {}

EventDispatcher::~EventDispatcher() {
    Stop();
}

void EventDispatcher::Start() {
    std::lock_guard guard(lock_);
    if (running_) {
        return;
    }
    running_ = true;
    thread_ = std::thread([this] { Run(); });
}

void EventDispatcher::Stop() {
    {
        std::lock_guard guard(lock_);
        running_ = false;
        queue_.clear();
    }
    wake_.notify_all();
    if (thread_.joinable() && !OnCallbackThread()) {
        thread_.join();
    }
}

bool EventDispatcher::OnCallbackThread() const {
    return std::this_thread::get_id() == thread_.get_id();
}

void EventDispatcher::InputReport(const InterfaceInfo& source, std::span<const uint8_t> bytes,
                                  std::chrono::milliseconds delay) {
    Event event;
    event.kind = TORVEX_EVENT_INPUT_REPORT;
    event.source = source;
    event.bytes.assign(bytes.begin(), bytes.end());
    Queue(Clock::now() + delay, std::move(event));
}

void EventDispatcher::PresenceChanged(std::vector<InterfaceInfo> attached) {
    Event event;
    event.kind = TORVEX_EVENT_PRESENCE;
    event.attached = std::move(attached);
    Queue(Clock::now(), std::move(event));
}

std::vector<uint8_t> EventDispatcher::LastReport(const ChannelKey& key) const {
    std::lock_guard guard(lock_);
    for (const auto& [source, bytes] : lastReports_) {
        if (Matches(key, source)) {
            return bytes;
        }
    }
    return {};
}

void EventDispatcher::Queue(Clock::time_point due, Event event) {
    {
        std::lock_guard guard(lock_);
        if (!running_) {
            return;
        }
        queue_.emplace(std::make_pair(due, sequence_++), std::move(event));
    }
    wake_.notify_all();
}

void EventDispatcher::Run() {
    std::unique_lock guard(lock_);
    while (running_) {
        if (queue_.empty()) {
            wake_.wait(guard);
            continue;
        }
        auto first = queue_.begin();
        // A copy: the queued event may be gone when the wait returns.
        const Clock::time_point due = first->first.first;
        if (due > Clock::now()) {
            wake_.wait_until(guard, due);
            continue;
        }
        Event event = std::move(first->second);
        queue_.erase(first);
        if (event.kind == TORVEX_EVENT_INPUT_REPORT) {
            auto known = std::find_if(lastReports_.begin(), lastReports_.end(),
                                      [&](const auto& each) { return each.first == event.source; });
            if (known == lastReports_.end()) {
                lastReports_.emplace_back(event.source, event.bytes);
            } else {
                known->second = event.bytes;
            }
        }
        guard.unlock();
        Deliver(event);
        guard.lock();
    }
}

void EventDispatcher::Deliver(const Event& event) {
    ReportRecord report;
    if (event.kind == TORVEX_EVENT_INPUT_REPORT) {
        report.Describe(event.bytes, event.source.usagePage, event.source.usage);
    }
    for (const auto& read : requests_.Reads()) {
        if (read->removed) {
            continue;
        }
        DeviceEventRecord record{};
        record.kind = event.kind;
        record.request = &read->record;
        read->record.tag = read->tag;
        if (event.kind == TORVEX_EVENT_INPUT_REPORT) {
            if (!Matches(read->key, event.source)) {
                continue;
            }
            read->record.count = static_cast<uint32_t>(event.bytes.size());
            read->record.data = event.bytes.data();
            read->record.report = report.data();
        } else {
            read->record.count = static_cast<uint32_t>(CountMatching(read->key, event.attached));
            read->record.data = nullptr;
            read->record.report = nullptr;
        }
        read->callback(&record);
    }
}

}  // namespace torvex
