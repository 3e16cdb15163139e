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
// The per-user folder for locks and sockets: $XDG_RUNTIME_DIR when it is the
// user's own and writable, else a private folder (mode 0700, owned by the
// user) under the temporary folder; empty when neither can be had.
std::filesystem::path RuntimeFolder();
// <RuntimeFolder()>/<stem><suffix>; empty when there is no runtime folder.
std::filesystem::path RuntimeFile(std::string_view stem, std::string_view suffix);

}  // namespace tessel
