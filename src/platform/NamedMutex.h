#pragma once
// A per-user named mutex between processes: an exclusive lock on the file
// RuntimeFile(name, ".lock"). The lock goes with the process, so a crashed or
// killed holder never leaves it taken.

#include <filesystem>
#include <string_view>

namespace tessel {

enum class MutexOpen {
    Created,        // no other process held it; this process owns it now
    AlreadyExists,  // another process holds it; this handle stays open without owning it
    Unavailable,    // the lock file cannot be opened
};

class NamedMutex {
public:
    explicit NamedMutex(std::string_view name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // Opens the mutex, creating it owned when no other process holds it.
    MutexOpen Open();
    // Releases ownership and the handle; closing twice is harmless.
    void Close();

    const std::filesystem::path& LockFile() const { return m_lockFile; }

private:
    std::filesystem::path m_lockFile;
    int m_fd = -1;
};

}  // namespace tessel
