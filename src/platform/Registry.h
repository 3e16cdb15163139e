#pragma once
// The per-user store of typed values (dword, string) that the program keeps
// under key paths such as "Software\Zerkon_PX5". One text file per user in a
// .reg-like format; several processes may read and write it at the same time.

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "platform/RegistryData.h"

namespace tessel {

class Registry {
public:
    explicit Registry(std::filesystem::path file);
    // The current user's store: $XDG_CONFIG_HOME/tessel/HKEY_CURRENT_USER.reg.
    static Registry& CurrentUser();

    // Creates the key and its parents; true when the key exists afterwards.
    bool CreateKey(std::u16string_view keyPath);
    bool KeyExists(std::u16string_view keyPath) const;
    // Nothing when the value is missing or of the other type.
    std::optional<uint32_t> ReadDword(std::u16string_view keyPath, std::u16string_view name) const;
    std::optional<std::u16string> ReadString(std::u16string_view keyPath,
                                             std::u16string_view name) const;
    // Writers create the key when needed; false when the file cannot be written.
    bool WriteDword(std::u16string_view keyPath, std::u16string_view name, uint32_t value);
    bool WriteString(std::u16string_view keyPath, std::u16string_view name,
                     std::u16string_view value);

    const std::filesystem::path& File() const { return m_file; }

private:
    // Re-reads the file when another process (or this one) has replaced it.
    void Refresh() const;
    template <typename Change>
    bool Update(Change&& change);
    void KeepUnreadableCopy() const;

    std::filesystem::path m_file;
    mutable std::mutex m_mutex;
    mutable RegistryData m_data;
    mutable std::optional<RegistryFileStamp> m_stamp;
    mutable bool m_unreadLines = false;  // the file on disk holds lines m_data lacks
    mutable bool m_unreadable = false;   // something is there that cannot be read
};

}  // namespace tessel
