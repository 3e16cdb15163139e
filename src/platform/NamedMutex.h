#pragma once
// A per-user named mutex between processes: an exclusive lock on the file
// RuntimeFile(name, ".lock"). The lock goes with the process, so a crashed or
// killed holder never leaves it taken. The owner writes its process id into
// the file, so others can tell whose it is.

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
    // After AlreadyExists: takes ownership if the holder has released it
    // meanwhile, keeping the handle (so watchers see no close of ours).
    bool TryTake();
    // Releases ownership and the handle; closing twice is harmless.
    void Close();
    // The process that owns the mutex as it says in the lock file; 0 when the
    // file names none (not yet written, or an owner that does not write it).
    int OwnerPid() const;

    const std::filesystem::path& LockFile() const { return m_lockFile; }

private:
    std::filesystem::path m_lockFile;
    int m_fd = -1;
};

}  // namespace tessel
