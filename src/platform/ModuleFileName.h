#pragma once

#include <filesystem>

namespace tessel {

// The absolute path of the running executable, links resolved; every program
// path is derived from it, never from the working folder.
std::filesystem::path ModuleFileName();

}  // namespace tessel
