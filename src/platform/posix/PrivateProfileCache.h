#pragma once
// Parsed INI files kept per path, so a lookup costs a stat and a hash lookup.
// A file is read again when its identity (device, inode), size or nanosecond
// modification time changes, and parsed again only when its bytes differ.
// A file read within a moment of its modification time is read again at the
// next lookup as well: file times come from a coarse clock, and a second
// change within the same tick and with the same size would otherwise go
// unseen; on file systems whose times are whole seconds that moment is longer.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/RegularFile.h"
#include "platform/posix/IniDocument.h"

namespace tessel {

struct IniNameHasher {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view name) const { return IniNameHash(name); }
};
struct IniNameEqual {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const {
        return IniNamesEqual(a, b);
    }
};

// The values of a document by section and key; the first of equal names wins
// (a repeated section is ignored as a whole).
class IniLookup {
public:
    explicit IniLookup(const IniDocument& document);
    std::optional<std::u16string_view> Find(std::u16string_view section,
                                            std::u16string_view key) const;

private:
    using Keys = std::unordered_map<std::u16string, std::u16string, IniNameHasher, IniNameEqual>;
    std::unordered_map<std::u16string, Keys, IniNameHasher, IniNameEqual> sections_;
};

class PrivateProfileCache {
public:
    static PrivateProfileCache& Instance();

    // Nothing when the file does not exist or cannot be read. A file without a
    // byte-order mark that is not UTF-8 is read in `legacyCodePage`.
    std::shared_ptr<const IniLookup> Lookup(const std::filesystem::path& file, int legacyCodePage);
    void Forget(const std::filesystem::path& file);
    // How many times a file was parsed since the start.
    std::uint64_t ParseCount() const { return parses_; }

    // How long after its modification a file's time stamp is trusted: two
    // ticks of the clock file times come from (at least kMinSettleTime), or
    // kCoarseSettleTime on file systems that keep whole seconds.
    static constexpr std::chrono::milliseconds kMinSettleTime{2};
    static constexpr std::chrono::seconds kCoarseSettleTime{2};
    static constexpr std::size_t kMaxFiles = 64;
    static constexpr std::size_t kMaxFileSize = kLargestIniFile;

private:
    struct FileStamp {
        std::uintmax_t device = 0, inode = 0, size = 0;
        long long modifiedNs = 0;
        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };
    struct Entry {
        FileStamp stamp;
        bool settled = false;  // read long enough after its modification
        int codePage = 0;      // the legacy code page it was read in, 0 for Unicode
        std::string bytes;
        std::shared_ptr<const IniLookup> lookup;
    };

    static bool Settled(const FileStamp& stamp, long long readNs);

    std::mutex mutex_;
    std::unordered_map<std::string, Entry> entries_;
    std::atomic<std::uint64_t> parses_{0};
};

}  // namespace tessel
