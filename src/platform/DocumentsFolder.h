#pragma once

#include <filesystem>

namespace tessel {

// XDG_DOCUMENTS_DIR of user-dirs.dirs, else ~/Documents.
std::filesystem::path DocumentsFolder();

}  // namespace tessel
