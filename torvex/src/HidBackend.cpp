#include "HidBackend.h"

#include <algorithm>
#include <array>

namespace torvex {

namespace {

constexpr int kReadTimeoutMs = 100;
constexpr std::size_t kMaxReportSize = 1024;

}  // namespace

HidBackend::HidBackend(std::unique_ptr<HidApi> api, std::chrono::milliseconds enumerationInterval)
    : api_(std::move(api)), interval_(enumerationInterval) {}

HidBackend::~HidBackend() {
    Stop();
}

bool HidBackend::Start(EventSink& sink) {
    if (!api_->Init()) {
        return false;
    }
    {
        std::lock_guard guard(lock_);
        sink_ = &sink;
        running_ = true;
    }
    Rescan();
    monitor_ = std::thread([this] { Monitor(); });
    return true;
}

void HidBackend::Stop() {
    std::map<std::string, std::unique_ptr<Reader>> readers;
    {
        std::lock_guard guard(lock_);
        if (!running_) {
            return;
        }
        running_ = false;
        readers.swap(readers_);
        writers_.clear();
        attached_.clear();
    }
    wake_.notify_all();
    if (monitor_.joinable()) {
        monitor_.join();
    }
    for (auto& [path, reader] : readers) {
        reader->stop = true;
        reader->thread.join();
    }
    api_->Exit();
}

std::vector<InterfaceInfo> HidBackend::Interfaces() {
    std::lock_guard guard(lock_);
    return attached_;
}

void HidBackend::Watch(std::vector<ChannelKey> keys) {
    {
        std::lock_guard guard(lock_);
        watched_ = std::move(keys);
        if (!running_) {
            return;
        }
    }
    // Open the readers now: a reply may follow the very next write.
    Rescan();
}

int HidBackend::Write(const ChannelKey& key, std::span<const uint8_t> bytes) {
    return WriteTo(key, bytes, false);
}

int HidBackend::SendFeature(const ChannelKey& key, std::span<const uint8_t> bytes) {
    return WriteTo(key, bytes, true);
}

int HidBackend::WriteTo(const ChannelKey& key, std::span<const uint8_t> bytes, bool feature) {
    if (bytes.empty()) {
        return 0;
    }
    std::lock_guard guard(lock_);
    const InterfaceInfo* target = FirstMatching(key, attached_);
    if (!running_ || target == nullptr) {
        return 0;
    }
    auto& writer = writers_[target->path];
    if (!writer) {
        writer = api_->Open(target->path);
        if (!writer) {
            writers_.erase(target->path);
            return 0;
        }
    }
    int written = feature ? writer->SendFeature(bytes) : writer->Write(bytes);
    if (written < static_cast<int>(bytes.size())) {
        // Reopened on the next write, in case the device came back.
        writers_.erase(target->path);
        return 0;
    }
    return 1;
}

void HidBackend::Monitor() {
    std::unique_lock guard(lock_);
    while (running_) {
        wake_.wait_for(guard, interval_);
        if (!running_) {
            return;
        }
        guard.unlock();
        Rescan();
        guard.lock();
    }
}

bool HidBackend::IsWatched(const InterfaceInfo& interface) const {
    return std::any_of(watched_.begin(), watched_.end(),
                       [&](const ChannelKey& key) { return Matches(key, interface); });
}

std::vector<InterfaceInfo> HidBackend::WatchedOf(
    const std::vector<InterfaceInfo>& interfaces) const {
    std::vector<InterfaceInfo> watched;
    std::copy_if(interfaces.begin(), interfaces.end(), std::back_inserter(watched),
                 [&](const InterfaceInfo& each) { return IsWatched(each); });
    return watched;
}

void HidBackend::Rescan() {
    std::lock_guard scanning(rescanLock_);
    std::vector<InterfaceInfo> now = api_->Enumerate();
    std::vector<std::unique_ptr<Reader>> retired;
    bool changed = false;
    {
        std::lock_guard guard(lock_);
        if (!running_) {
            return;
        }
        changed = WatchedOf(now) != WatchedOf(attached_);
        attached_ = now;
        for (auto reader = readers_.begin(); reader != readers_.end();) {
            auto present = std::find(now.begin(), now.end(), reader->second->interface);
            if (present == now.end() || !IsWatched(*present) || reader->second->finished) {
                writers_.erase(reader->first);
                retired.push_back(std::move(reader->second));
                reader = readers_.erase(reader);
            } else {
                ++reader;
            }
        }
        for (const InterfaceInfo& each : now) {
            if (!IsWatched(each) || readers_.count(each.path) != 0) {
                continue;
            }
            auto device = api_->Open(each.path);
            if (!device) {
                continue;  // no permission or already gone; tried again next time
            }
            auto reader = std::make_unique<Reader>();
            reader->interface = each;
            reader->device = std::move(device);
            Reader* started = reader.get();
            readers_.emplace(each.path, std::move(reader));
            started->thread = std::thread([this, started] { RunReader(*started); });
        }
        if (changed) {
            sink_->PresenceChanged(attached_);
        }
    }
    for (auto& reader : retired) {
        reader->stop = true;
        reader->thread.join();
    }
}

void HidBackend::RunReader(Reader& reader) {
    std::array<uint8_t, kMaxReportSize> buffer{};
    while (!reader.stop) {
        int got = reader.device->Read(buffer, kReadTimeoutMs);
        if (got < 0) {
            break;  // removed: the next enumeration reports it
        }
        if (got > 0) {
            sink_->InputReport(reader.interface,
                               std::span(buffer).first(static_cast<std::size_t>(got)),
                               std::chrono::milliseconds(0));
        }
    }
    reader.finished = true;
}

}  // namespace torvex
