#include "platform/ActivationToken.h"

#include <algorithm>
#include <cstdlib>

namespace tessel {

bool IsActivationToken(std::string_view text) {
    return !text.empty() && text.size() <= kMaxActivationToken &&
           std::ranges::all_of(text, [](char c) { return c > ' ' && c < 0x7F; });
}

std::optional<std::string> StartActivationToken() {
    const char* value = std::getenv(kActivationTokenVariable);
    if (value == nullptr || !IsActivationToken(value)) {
        return std::nullopt;
    }
    return std::string(value);
}

void ForgetStartActivationToken() {
    unsetenv(kActivationTokenVariable);
}

}  // namespace tessel
