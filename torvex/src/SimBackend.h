#pragma once
// Backend over the simulated keyboard of this process, with its control socket
// when TORVEX_SIM_CONTROL names one.

#include <memory>

#include "Backend.h"
#include "SimControlServer.h"
#include "SimKeyboard.h"

namespace torvex {

class SimBackend : public Backend {
public:
    explicit SimBackend(SimKeyboard& keyboard) : keyboard_(keyboard) {}

    bool Start(EventSink& sink) override;
    void Stop() override;
    std::vector<InterfaceInfo> Interfaces() override { return keyboard_.Interfaces(); }
    // Every interface of the simulated keyboard is always read.
    void Watch(std::vector<ChannelKey>) override {}
    int Write(const ChannelKey& key, std::span<const uint8_t> bytes) override;
    // The simulated keyboard has no feature reports.
    int SendFeature(const ChannelKey&, std::span<const uint8_t>) override { return 0; }

private:
    SimKeyboard& keyboard_;
    std::unique_ptr<SimControlServer> control_;
};

}  // namespace torvex
