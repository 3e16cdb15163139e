#include "platform/DocumentsFolder.h"

#include <fstream>
#include <string>

#include "platform/UserFolders.h"

namespace tessel {

namespace {

// The value of XDG_DOCUMENTS_DIR in user-dirs.dirs: "$HOME/sub" or "/absolute".
std::filesystem::path FromUserDirs(const std::filesystem::path& home) {
    std::ifstream in(ConfigFolder() / "user-dirs.dirs");
    constexpr std::string_view kEntry = "XDG_DOCUMENTS_DIR=\"";
    constexpr std::string_view kHome = "$HOME";
    std::string line;
    while (std::getline(in, line)) {
        std::string_view text(line);
        if (!text.starts_with(kEntry) || !text.ends_with('"')) {
            continue;
        }
        text = text.substr(kEntry.size(), text.size() - kEntry.size() - 1);
        if (text.starts_with(kHome)) {
            text.remove_prefix(kHome.size());
            while (text.starts_with('/')) {
                text.remove_prefix(1);
            }
            return text.empty() ? home : home / text;
        }
        if (text.starts_with('/')) {
            return text;
        }
    }
    return {};
}

}  // namespace

std::filesystem::path DocumentsFolder() {
    const std::filesystem::path home = HomeFolder();
    auto configured = FromUserDirs(home);
    return configured.empty() ? home / "Documents" : configured;
}

}  // namespace tessel
