#pragma once
// Parsed INI files kept per path, so a lookup costs a stat and a hash lookup.
// A file is read again when its identity, size or modification time changes.
// A file modified less than a moment before it was read is read again at the
// next lookup as well: file times are coarse, and a second change within the
// same tick with the same size would otherwise go unseen.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

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

    // Nothing when the file does not exist or cannot be read.
    std::shared_ptr<const IniLookup> Lookup(const std::filesystem::path& file);
    void Forget(const std::filesystem::path& file);

    static constexpr std::chrono::seconds kSettleTime{2};
    static constexpr std::size_t kMaxFiles = 64;
    static constexpr std::uintmax_t kMaxFileSize = 64u << 20;

private:
    struct FileStamp {
        std::uintmax_t device = 0, inode = 0, size = 0;
        long long modifiedNs = 0;
        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };
    struct Entry {
        FileStamp stamp;
        bool settled = false;  // old enough that its time stamp can be trusted
        std::shared_ptr<const IniLookup> lookup;
    };

    std::mutex mutex_;
    std::unordered_map<std::string, Entry> entries_;
};

}  // namespace tessel
