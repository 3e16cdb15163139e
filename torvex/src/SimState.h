#pragma once
// The simulated keyboard's memory kept in a file between runs.

#include <filesystem>
#include <optional>

#include "SimMemory.h"

namespace torvex {

// Written to a temporary file beside the target, then renamed over it, so a
// crash never leaves half a state behind.
bool SaveSimState(const SimMemory& memory, const std::filesystem::path& file);
// nullopt when the file is missing, truncated or from another layout.
std::optional<SimMemory> LoadSimState(const std::filesystem::path& file);

}  // namespace torvex
