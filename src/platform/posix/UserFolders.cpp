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

std::filesystem::path RuntimeFile(std::string_view stem, std::string_view suffix) {
    std::string name(stem);
    auto runtime = AbsoluteFromEnvironment("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime.empty() || stat(runtime.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        // /tmp is shared by all users: the uid keeps the names apart.
        runtime = "/tmp";
        name += "-" + std::to_string(getuid());
    }
    name += suffix;
    return runtime / name;
}

}  // namespace tessel
