#pragma once
// Whole-file writes that never leave a half-written file behind: the bytes go to
// a temporary file in the target's own folder, which then replaces the target
// in one rename. A crash, a full disk or a read-only folder leaves the old file
// as it was, and the caller learns that the write failed.

#include <cstdint>
#include <filesystem>
#include <span>

namespace tessel {

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

}  // namespace tessel
