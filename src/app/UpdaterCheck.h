#pragma once
// The messages of the update dialog that the boot mode makes necessary: why an
// updater is not started (checked before the keyboard is touched), and what
// brings the keyboard back when the start fails after all.

#include <filesystem>
#include <string_view>

namespace tessel {

// The text key that says why `updater` cannot be started; empty when it can.
std::u16string_view UpdaterRefusalKey(const std::filesystem::path& updater);

inline constexpr std::u16string_view kUpdaterFailedInBootModeKey =
    u"IDS_UPDATE_FAILED_IN_BOOT_MODE";

}  // namespace tessel
