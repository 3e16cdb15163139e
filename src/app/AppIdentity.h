#pragma once
// The names by which the program finds its settings and its other instances.

#include <cstdint>
#include <string_view>

#include "platform/MainWindowRequests.h"

namespace tessel {

// Product key under the current user; the language choice lives here.
inline constexpr std::u16string_view kProductKey = u"Software\\Zerkon_PX5";
// Framework settings: Software\<company key>\<application name>\<section>.
inline constexpr std::string_view kCompanyKey = "Tessel_Quarnet";
inline constexpr std::string_view kApplicationName = "Nerova PX5-RGB Keyboard";
inline constexpr std::string_view kSettingsSection = "PROFILES";

// The single-instance mutex, also the name of the request endpoints.
inline constexpr std::string_view kInstanceName = "Zerkon_PX5";
// Marks the main window that answers requests of other instances.
inline constexpr uint32_t kMainMarker = 0x4D41494E;  // 'MAIN'

}  // namespace tessel
