#include "EventDispatcher.h"

#include <algorithm>

namespace torvex {

EventDispatcher::EventDispatcher(RequestTable& requests) : requests_(requests) {}

EventDispatcher::~EventDispatcher() {
    Stop();
}

void EventDispatcher::Start() {
    std::lock_guard guard(lock_);
    running_ = true;
}

void EventDispatcher::Stop() {
    std::vector<std::unique_ptr<CallbackLane>> lanes;
    {
        std::lock_guard guard(lock_);
        running_ = false;
        lanes.swap(lanes_);
        std::move(retired_.begin(), retired_.end(), std::back_inserter(lanes));
        retired_.clear();
    }
    for (auto& lane : lanes) {
        lane->Retire();
    }
    for (auto& lane : lanes) {
        lane->Join();
    }
}

bool EventDispatcher::OnCallbackThread() const {
    return CallbackLane::CurrentOwner() == this;
}

void EventDispatcher::InputReport(const InterfaceInfo& source, std::span<const uint8_t> bytes,
                                  std::chrono::milliseconds delay) {
    auto event = std::make_shared<DeviceEvent>();
    event->kind = TORVEX_EVENT_INPUT_REPORT;
    event->source = source;
    event->bytes.assign(bytes.begin(), bytes.end());
    {
        std::lock_guard guard(lock_);
        auto known = std::find_if(lastReports_.begin(), lastReports_.end(),
                                  [&](const auto& each) { return each.first == source; });
        if (known == lastReports_.end()) {
            lastReports_.emplace_back(source, event->bytes);
        } else {
            known->second = event->bytes;
        }
    }
    Dispatch(CallbackLane::Clock::now() + delay, std::move(event));
}

void EventDispatcher::PresenceChanged(std::vector<InterfaceInfo> attached) {
    auto event = std::make_shared<DeviceEvent>();
    event->kind = TORVEX_EVENT_PRESENCE;
    event->attached = std::move(attached);
    Dispatch(CallbackLane::Clock::now(), std::move(event));
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

void EventDispatcher::Dispatch(CallbackLane::Clock::time_point due,
                               std::shared_ptr<const DeviceEvent> event) {
    std::lock_guard guard(lock_);
    if (!running_) {
        return;
    }
    RetireRemovedLanes();
    for (const auto& read : requests_.Reads()) {
        if (event->kind == TORVEX_EVENT_INPUT_REPORT && !Matches(read->key, event->source)) {
            continue;
        }
        LaneOf(read).Push(due, event);
    }
}

CallbackLane& EventDispatcher::LaneOf(const std::shared_ptr<StandingRead>& read) {
    for (auto& lane : lanes_) {
        if (&lane->Read() == read.get()) {
            return *lane;
        }
    }
    lanes_.push_back(std::make_unique<CallbackLane>(read, this));
    return *lanes_.back();
}

void EventDispatcher::RetireRemovedLanes() {
    // Lanes of deleted requests stop here; their threads are joined once they
    // have ended, so a callback still running is never waited for.
    for (auto lane = lanes_.begin(); lane != lanes_.end();) {
        if ((*lane)->Read().removed) {
            (*lane)->Retire();
            retired_.push_back(std::move(*lane));
            lane = lanes_.erase(lane);
        } else {
            ++lane;
        }
    }
    for (auto lane = retired_.begin(); lane != retired_.end();) {
        if ((*lane)->Finished()) {
            (*lane)->Join();
            lane = retired_.erase(lane);
        } else {
            ++lane;
        }
    }
}

}  // namespace torvex
