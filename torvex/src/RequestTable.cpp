#include "RequestTable.h"

#include <algorithm>

namespace torvex {

uint32_t RequestTable::NextId() {
    uint32_t id = nextUnitId_++;
    if (nextUnitId_ == 0) {
        nextUnitId_ = 1;
    }
    return id;
}

uint32_t RequestTable::AddRead(const ChannelKey& key, DeviceCallback callback, uint32_t tag) {
    auto read = std::make_shared<StandingRead>();
    read->key = key;
    read->callback = callback;
    read->tag = tag;
    std::lock_guard guard(lock_);
    read->unitId = NextId();
    reads_.push_back(read);
    return read->unitId;
}

uint32_t RequestTable::AddOneShot() {
    std::lock_guard guard(lock_);
    uint32_t id = NextId();
    oneShots_.push_back(id);
    return id;
}

bool RequestTable::Remove(uint32_t unitId) {
    std::lock_guard guard(lock_);
    auto read = std::find_if(reads_.begin(), reads_.end(),
                             [&](const auto& each) { return each->unitId == unitId; });
    if (read != reads_.end()) {
        (*read)->removed = true;
        reads_.erase(read);
        return true;
    }
    auto oneShot = std::find(oneShots_.begin(), oneShots_.end(), unitId);
    if (oneShot != oneShots_.end()) {
        oneShots_.erase(oneShot);
        return true;
    }
    return false;
}

bool RequestTable::RemoveByHandle(const void* handle) {
    uint32_t unitId = 0;
    {
        std::lock_guard guard(lock_);
        auto read = std::find_if(reads_.begin(), reads_.end(),
                                 [&](const auto& each) { return &each->record == handle; });
        if (read == reads_.end()) {
            return false;
        }
        unitId = (*read)->unitId;
    }
    return Remove(unitId);
}

void RequestTable::Clear() {
    std::lock_guard guard(lock_);
    for (auto& read : reads_) {
        read->removed = true;
    }
    reads_.clear();
    oneShots_.clear();
}

std::vector<std::shared_ptr<StandingRead>> RequestTable::Reads() const {
    std::lock_guard guard(lock_);
    return reads_;
}

std::vector<ChannelKey> RequestTable::WatchedKeys() const {
    std::lock_guard guard(lock_);
    std::vector<ChannelKey> keys;
    for (const auto& read : reads_) {
        if (std::find(keys.begin(), keys.end(), read->key) == keys.end()) {
            keys.push_back(read->key);
        }
    }
    return keys;
}

}  // namespace torvex
