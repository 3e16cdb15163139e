#pragma once
// The keys and typed values of a registry file, and its text form:
//
//   [HKEY_CURRENT_USER\Software\Zerkon_PX5]
//   "dwLanguageId"=dword:00000409
//   "Name"="text with \"quotes\" and \\ backslashes"
//
// Key paths and value names compare without regard to case, as on Windows.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tessel {

using RegistryValue = std::variant<uint32_t, std::u16string>;

class RegistryData {
public:
    // Lines that cannot be read are skipped; values before the first key are dropped.
    static RegistryData Parse(std::string_view text);
    std::string Serialize() const;
    // Lines Parse could not read; a rewrite of the file would lose them.
    std::size_t SkippedLines() const { return m_skippedLines; }

    bool HasKey(std::u16string_view keyPath) const;
    // Adds the key and all its parents.
    void AddKey(std::u16string_view keyPath);
    const RegistryValue* Find(std::u16string_view keyPath, std::u16string_view name) const;
    void Set(std::u16string_view keyPath, std::u16string_view name, RegistryValue value);

private:
    struct Named {
        std::u16string name;  // as first written
        RegistryValue value;
    };
    struct Key {
        std::u16string path;                     // as first written
        std::map<std::u16string, Named> values;  // by folded name
    };
    std::map<std::u16string, Key> m_keys;  // by folded path
    std::size_t m_skippedLines = 0;
};

// Identifies one version of a file on disk; writers replace the file, so a
// changed stamp means the cached contents are stale.
struct RegistryFileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    bool operator==(const RegistryFileStamp&) const = default;
};

}  // namespace tessel
