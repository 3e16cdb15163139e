#include "Service.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "HidApiLibrary.h"
#include "HidBackend.h"
#include "SimBackend.h"

namespace torvex {

Service::Service(std::unique_ptr<Backend> backend)
    : backend_(std::move(backend)), dispatcher_(requests_) {}

Service::~Service() {
    Stop();
}

bool Service::Start() {
    dispatcher_.Start();
    if (!backend_->Start(dispatcher_)) {
        dispatcher_.Stop();
        return false;
    }
    started_ = true;
    return true;
}

void Service::Stop() {
    if (!started_) {
        return;
    }
    started_ = false;
    backend_->Stop();
    dispatcher_.Stop();
    requests_.Clear();
}

int Service::DeviceCount(const ChannelKey& key) {
    return CountMatching(key, backend_->Interfaces());
}

int Service::Write(const ChannelKey& key, std::span<const uint8_t> bytes) {
    return backend_->Write(key, bytes);
}

int Service::SendFeature(const ChannelKey& key, std::span<const uint8_t> bytes) {
    return backend_->SendFeature(key, bytes);
}

int Service::LastReport(const ChannelKey& key, std::span<uint8_t> out) const {
    std::vector<uint8_t> report = dispatcher_.LastReport(key);
    std::size_t count = std::min(report.size(), out.size());
    std::copy_n(report.begin(), count, out.begin());
    return static_cast<int>(count);
}

uint32_t Service::AddRead(const ChannelKey& key, DeviceCallback callback, uint32_t tag) {
    uint32_t unitId = requests_.AddRead(key, callback, tag);
    backend_->Watch(requests_.WatchedKeys());
    return unitId;
}

bool Service::Remove(uint32_t unitId) {
    bool removed = requests_.Remove(unitId);
    if (removed) {
        backend_->Watch(requests_.WatchedKeys());
    }
    return removed;
}

bool Service::RemoveByHandle(const void* handle) {
    bool removed = requests_.RemoveByHandle(handle);
    if (removed) {
        backend_->Watch(requests_.WatchedKeys());
    }
    return removed;
}

std::unique_ptr<Backend> BackendFromEnvironment() {
    const char* name = std::getenv("TORVEX_BACKEND");
    std::string chosen = (name && *name) ? name : "hid";
    if (chosen == "hid") {
        return std::make_unique<HidBackend>(MakeHidApiLibrary(), kEnumerationInterval);
    }
    if (chosen == "sim") {
        return std::make_unique<SimBackend>(SimulatedKeyboard());
    }
    return nullptr;
}

}  // namespace torvex
