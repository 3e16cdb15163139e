#include "model/ProfileNumber.h"

#include <charconv>

#include "device/DeviceLink.h"

namespace tessel {

std::optional<int> ProfileOfUserNumber(std::string_view text) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < 1 ||
        number > kProfileCount) {
        return std::nullopt;
    }
    return number - 1;
}

}  // namespace tessel
