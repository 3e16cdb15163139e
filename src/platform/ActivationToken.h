#pragma once
// The activation token a desktop hands to a program it starts
// (XDG_ACTIVATION_TOKEN, xdg-activation on Wayland). A second start passes it
// on with its open request, so the compositor lets the running instance take
// the focus; a token is good for one activation only.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessel {

inline constexpr const char* kActivationTokenVariable = "XDG_ACTIVATION_TOKEN";
// Compositors make short tokens; anything longer is not one.
inline constexpr std::size_t kMaxActivationToken = 512;

// Whether `text` can be a token: 1 to kMaxActivationToken printable ASCII
// characters without spaces.
bool IsActivationToken(std::string_view text);

// The token this process was started with, when it is one.
std::optional<std::string> StartActivationToken();

// Removes the token from this process's environment once it was handed on,
// so neither this process nor its children present it again.
void ForgetStartActivationToken();

}  // namespace tessel
