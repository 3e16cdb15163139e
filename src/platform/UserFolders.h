#pragma once
// Where per-user files live: the XDG base folders of the user running the
// program. A relative or empty XDG variable is ignored, as the XDG rules say.

#include <filesystem>
#include <string_view>

namespace tessel {

// $HOME, else the home folder of the user's account entry.
std::filesystem::path HomeFolder();
// $XDG_CONFIG_HOME, else ~/.config.
std::filesystem::path ConfigFolder();
// A per-user file for locks and sockets: <$XDG_RUNTIME_DIR>/<stem><suffix> when
// that folder exists, else /tmp/<stem>-<uid><suffix>.
std::filesystem::path RuntimeFile(std::string_view stem, std::string_view suffix);

}  // namespace tessel
