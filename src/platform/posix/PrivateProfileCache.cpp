#include "platform/posix/PrivateProfileCache.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

#include "platform/RegularFile.h"

namespace tessel {
namespace {

bool ReadSmallFile(const std::filesystem::path& file, std::string& bytes) {
    RegularFileRead read = ReadRegularFile(file, PrivateProfileCache::kMaxFileSize);
    if (!read.ok) {
        if (!read.missing) {
            ReportUnreadableFile(file, read.error);
        }
        return false;
    }
    bytes.assign(read.bytes.begin(), read.bytes.end());
    return true;
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

bool PrivateProfileCache::Settled(const FileStamp& stamp, long long readNs) {
    // A time with no fraction of a second most likely comes from a file system
    // that keeps whole (or even two) seconds.
    const bool coarse = stamp.modifiedNs % 1000000000LL == 0;
    static const long long fineNs = [] {
        timespec tick{};
        clock_getres(CLOCK_REALTIME_COARSE, &tick);
        const long long twoTicks = 2 * (tick.tv_sec * 1000000000LL + tick.tv_nsec);
        return std::max<long long>(twoTicks, std::chrono::nanoseconds(kMinSettleTime).count());
    }();
    const long long settleNs =
        coarse ? std::chrono::nanoseconds(kCoarseSettleTime).count() : fineNs;
    return readNs - stamp.modifiedNs > settleNs;
}

std::shared_ptr<const IniLookup> PrivateProfileCache::Lookup(const std::filesystem::path& file,
                                                             int legacyCodePage) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            ReportUnreadableFile(file, ErrorReason(errno));
        }
        Forget(file);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        ReportUnreadableFile(file, S_ISDIR(info.st_mode) ? "is a folder" : "not a regular file");
        Forget(file);
        return nullptr;
    }
    FileStamp stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = static_cast<std::uintmax_t>(info.st_size);
    stamp.modifiedNs = info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec;
    const auto usable = [legacyCodePage](const Entry& entry) {
        return entry.codePage == 0 || entry.codePage == legacyCodePage;
    };
    {
        std::lock_guard lock(mutex_);
        const auto it = entries_.find(file.native());
        if (it != entries_.end() && it->second.settled && it->second.stamp == stamp &&
            usable(it->second)) {
            return it->second.lookup;
        }
    }

    // The clock is read before the bytes: a change after it gets a later time.
    const long long readNs = NowNs();
    Entry fresh;
    fresh.stamp = stamp;
    fresh.settled = Settled(stamp, readNs);
    if (!ReadSmallFile(file, fresh.bytes)) {
        Forget(file);
        return nullptr;
    }
    {
        std::lock_guard lock(mutex_);
        const auto it = entries_.find(file.native());
        if (it != entries_.end() && it->second.bytes == fresh.bytes && usable(it->second)) {
            it->second.stamp = stamp;
            it->second.settled = fresh.settled;
            return it->second.lookup;
        }
    }
    const IniDocument document = IniDocument::Parse(fresh.bytes, legacyCodePage);
    ++parses_;
    fresh.codePage = document.CodePageNumber();
    fresh.lookup = std::make_shared<const IniLookup>(document);
    const std::shared_ptr<const IniLookup> lookup = fresh.lookup;

    std::lock_guard lock(mutex_);
    if (entries_.size() >= kMaxFiles && !entries_.contains(file.native())) {
        entries_.clear();
    }
    entries_[file.native()] = std::move(fresh);
    return lookup;
}

void PrivateProfileCache::Forget(const std::filesystem::path& file) {
    std::lock_guard lock(mutex_);
    entries_.erase(file.native());
}

}  // namespace tessel
