#include "Diagnostics.h"

#include <atomic>
#include <cstdio>

namespace torvex {

namespace {
std::atomic<int> debugLevel{0};
}

int SetDebugLevel(int level) {
    return debugLevel.exchange(level);
}

void DebugMessage(int level, std::string_view text) {
    if (level <= debugLevel.load()) {
        std::fprintf(stderr, "torvex: %.*s\n", static_cast<int>(text.size()), text.data());
    }
}

}  // namespace torvex
