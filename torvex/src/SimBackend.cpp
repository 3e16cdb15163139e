#include "SimBackend.h"

#include <cstdlib>

#include "Diagnostics.h"

namespace torvex {

bool SimBackend::Start(EventSink& sink) {
    if (const char* state = std::getenv("TORVEX_SIM_STATE"); state && *state) {
        keyboard_.UseStateFile(state);
    }
    keyboard_.Attach(&sink);
    if (const char* socket = std::getenv("TORVEX_SIM_CONTROL"); socket && *socket) {
        control_ = std::make_unique<SimControlServer>(keyboard_);
        if (!control_->Open(socket)) {
            // The keyboard still works without its remote control.
            DebugMessage(0, std::string("cannot open the control socket ") + socket);
            control_.reset();
        }
    }
    return true;
}

void SimBackend::Stop() {
    control_.reset();
    keyboard_.Attach(nullptr);
    keyboard_.SaveIfChanged();
}

int SimBackend::Write(const ChannelKey& key, std::span<const uint8_t> bytes) {
    auto interfaces = keyboard_.Interfaces();
    const InterfaceInfo* target = FirstMatching(key, interfaces);
    return target ? keyboard_.Receive(*target, bytes) : 0;
}

}  // namespace torvex
