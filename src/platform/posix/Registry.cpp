#include "platform/Registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/RegularFile.h"
#include "platform/UserFolders.h"

namespace tessel {

namespace {

std::optional<RegistryFileStamp> StampOf(const std::filesystem::path& file) {
    struct stat info {};
    if (stat(file.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return RegistryFileStamp{
        static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
        static_cast<int64_t>(info.st_size),
        static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

// No settings file of this program comes near this.
constexpr std::size_t kLargestSettingsFile = 4u << 20;

// Nothing (and the user told why) when the file is no regular file of a sane size.
std::optional<std::string> ReadSettingsFile(const std::filesystem::path& file) {
    const RegularFileRead read = ReadRegularFile(file, kLargestSettingsFile);
    if (!read.ok) {
        if (!read.missing) {
            ReportUnreadableFile(file, read.error);
        }
        return std::nullopt;
    }
    return std::string(read.bytes.begin(), read.bytes.end());
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Writes beside the file and renames over it, so readers in other processes
// see either the old or the new contents, never half a file.
bool ReplaceFile(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::path temporary = file;
    temporary += ".tmp" + std::to_string(getpid());
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    bool written = WriteAll(fd, text) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), file.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

// Serialises writers of all processes; released when closed or when the process dies.
class WriterLock {
public:
    explicit WriterLock(const std::filesystem::path& file) {
        std::filesystem::path lock = file;
        lock += ".lock";
        m_fd = open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        while (m_fd >= 0 && flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~WriterLock() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

}  // namespace

Registry::Registry(std::filesystem::path file) : m_file(std::move(file)) {}

Registry& Registry::CurrentUser() {
    static Registry registry(ConfigFolder() / "tessel" / "HKEY_CURRENT_USER.reg");
    return registry;
}

void Registry::Refresh() const {
    auto stamp = StampOf(m_file);
    if (stamp == m_stamp) {
        return;
    }
    const std::optional<std::string> text = stamp ? ReadSettingsFile(m_file) : std::nullopt;
    m_data = text ? RegistryData::Parse(*text) : RegistryData{};
    m_unreadLines = m_data.SkippedLines() > 0;
    // A FIFO, device or huge file is neither read nor replaced by our version.
    m_unreadable = stamp && !text;
    m_stamp = stamp;
}

template <typename Change>
bool Registry::Update(Change&& change) {
    std::error_code error;
    std::filesystem::create_directories(m_file.parent_path(), error);
    WriterLock lock(m_file);
    if (!lock.Held()) {
        return false;
    }
    // Another process may have written since our last read: change its version.
    Refresh();
    if (m_unreadable) {
        return false;
    }
    if (m_unreadLines) {
        KeepUnreadableCopy();
    }
    RegistryData changed = m_data;
    change(changed);
    if (!ReplaceFile(m_file, changed.Serialize())) {
        return false;
    }
    m_data = std::move(changed);
    m_unreadLines = false;
    m_stamp = StampOf(m_file);
    return true;
}

// The rewrite drops what could not be read; the user (or support) may still
// want it, so the last such file stays beside the store.
void Registry::KeepUnreadableCopy() const {
    std::filesystem::path copy = m_file;
    copy += ".bad";
    std::error_code error;
    std::filesystem::copy_file(m_file, copy, std::filesystem::copy_options::overwrite_existing,
                               error);
}

bool Registry::CreateKey(std::u16string_view keyPath) {
    std::lock_guard guard(m_mutex);
    Refresh();
    if (m_data.HasKey(keyPath)) {
        return true;
    }
    return Update([&](RegistryData& data) { data.AddKey(keyPath); }) && m_data.HasKey(keyPath);
}

bool Registry::KeyExists(std::u16string_view keyPath) const {
    std::lock_guard guard(m_mutex);
    Refresh();
    return m_data.HasKey(keyPath);
}

std::optional<uint32_t> Registry::ReadDword(std::u16string_view keyPath,
                                            std::u16string_view name) const {
    std::lock_guard guard(m_mutex);
    Refresh();
    const RegistryValue* value = m_data.Find(keyPath, name);
    if (value == nullptr || !std::holds_alternative<uint32_t>(*value)) {
        return std::nullopt;
    }
    return std::get<uint32_t>(*value);
}

std::optional<std::u16string> Registry::ReadString(std::u16string_view keyPath,
                                                   std::u16string_view name) const {
    std::lock_guard guard(m_mutex);
    Refresh();
    const RegistryValue* value = m_data.Find(keyPath, name);
    if (value == nullptr || !std::holds_alternative<std::u16string>(*value)) {
        return std::nullopt;
    }
    return std::get<std::u16string>(*value);
}

bool Registry::WriteDword(std::u16string_view keyPath, std::u16string_view name, uint32_t value) {
    std::lock_guard guard(m_mutex);
    return Update([&](RegistryData& data) { data.Set(keyPath, name, value); }) &&
           m_data.Find(keyPath, name) != nullptr;
}

bool Registry::WriteString(std::u16string_view keyPath, std::u16string_view name,
                           std::u16string_view value) {
    std::lock_guard guard(m_mutex);
    return Update([&](RegistryData& data) { data.Set(keyPath, name, std::u16string(value)); }) &&
           m_data.Find(keyPath, name) != nullptr;
}

}  // namespace tessel
