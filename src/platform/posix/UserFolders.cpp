#include "platform/UserFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace tessel {

namespace {

std::filesystem::path AbsoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') {
        return {};
    }
    return value;
}

// A folder (not a link to one) of this user that it may create files in;
// `privateOnly`: nobody else may even look into it.
bool IsOwnWritableFolder(const std::filesystem::path& folder, bool privateOnly) {
    struct stat info {};
    return lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == getuid() && (!privateOnly || (info.st_mode & 077) == 0) &&
           access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::filesystem::path HomeFolder() {
    if (auto home = AbsoluteFromEnvironment("HOME"); !home.empty()) {
        return home;
    }
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return "/";
}

std::filesystem::path ConfigFolder() {
    if (auto config = AbsoluteFromEnvironment("XDG_CONFIG_HOME"); !config.empty()) {
        return config;
    }
    return HomeFolder() / ".config";
}

std::filesystem::path RuntimeFolder() {
    const auto runtime = AbsoluteFromEnvironment("XDG_RUNTIME_DIR");
    if (!runtime.empty() && IsOwnWritableFolder(runtime, false)) {
        return runtime;
    }
    // The temporary folder is shared by all users: only a folder that is
    // ours alone, checked after creating it, may hold the lock.
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error || base.empty()) {
        base = "/tmp";
    }
    const auto fallback = base / ("tessel-" + std::to_string(getuid()));
    mkdir(fallback.c_str(), 0700);
    if (IsOwnWritableFolder(fallback, true)) {
        return fallback;
    }
    return {};
}

std::filesystem::path RuntimeFile(std::string_view stem, std::string_view suffix) {
    const auto folder = RuntimeFolder();
    if (folder.empty()) {
        return {};
    }
    return folder / (std::string(stem) + std::string(suffix));
}

}  // namespace tessel
