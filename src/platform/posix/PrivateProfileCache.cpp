#include "platform/posix/PrivateProfileCache.h"

#include <sys/stat.h>

#include <ctime>
#include <fstream>
#include <iterator>

namespace tessel {
namespace {

bool ReadSmallFile(const std::filesystem::path& file, std::uintmax_t size, std::string& bytes) {
    if (size > PrivateProfileCache::kMaxFileSize) {
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

long long NowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

}  // namespace

IniLookup::IniLookup(const IniDocument& document) {
    Keys* current = nullptr;
    for (const IniDocument::Line& line : document.Lines()) {
        std::u16string_view name, value;
        switch (IniDocument::Classify(line.text, &name, &value)) {
            case IniDocument::LineKind::Section: {
                auto [it, added] = sections_.try_emplace(std::u16string(name));
                current = added ? &it->second : nullptr;
                break;
            }
            case IniDocument::LineKind::Key:
                if (current != nullptr) {
                    current->try_emplace(std::u16string(name), IniValueText(value));
                }
                break;
            case IniDocument::LineKind::Other:
                break;
        }
    }
}

std::optional<std::u16string_view> IniLookup::Find(std::u16string_view section,
                                                   std::u16string_view key) const {
    const auto keys = sections_.find(section);
    if (keys == sections_.end()) {
        return std::nullopt;
    }
    const auto value = keys->second.find(key);
    if (value == keys->second.end()) {
        return std::nullopt;
    }
    return std::u16string_view(value->second);
}

PrivateProfileCache& PrivateProfileCache::Instance() {
    static PrivateProfileCache cache;
    return cache;
}

std::shared_ptr<const IniLookup> PrivateProfileCache::Lookup(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        Forget(file);
        return nullptr;
    }
    FileStamp stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = static_cast<std::uintmax_t>(info.st_size);
    stamp.modifiedNs = info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec;
    {
        std::lock_guard lock(mutex_);
        const auto it = entries_.find(file.native());
        if (it != entries_.end() && it->second.settled && it->second.stamp == stamp) {
            return it->second.lookup;
        }
    }

    std::string bytes;
    if (!ReadSmallFile(file, stamp.size, bytes)) {
        Forget(file);
        return nullptr;
    }
    auto lookup = std::make_shared<const IniLookup>(IniDocument::Parse(bytes));
    const auto settleNs = std::chrono::nanoseconds(kSettleTime).count();
    const bool settled = NowNs() - stamp.modifiedNs >= settleNs;

    std::lock_guard lock(mutex_);
    if (entries_.size() >= kMaxFiles && !entries_.contains(file.native())) {
        entries_.clear();
    }
    entries_[file.native()] = Entry{stamp, settled, lookup};
    return lookup;
}

void PrivateProfileCache::Forget(const std::filesystem::path& file) {
    std::lock_guard lock(mutex_);
    entries_.erase(file.native());
}

}  // namespace tessel
