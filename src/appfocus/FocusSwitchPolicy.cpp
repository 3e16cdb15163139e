#include "appfocus/FocusSwitchPolicy.h"

#include <utility>

namespace tessel {

using Kind = FocusSwitchPolicy::Step::Kind;

FocusSwitchPolicy::FocusSwitchPolicy(AppProfileRules rules) : rules_(std::move(rules)) {}

void FocusSwitchPolicy::SetRules(AppProfileRules rules) {
    rules_ = std::move(rules);
    if (!rules_.SwitchingOn()) {
        pending_ = false;
        waiting_.reset();
    }
}

std::optional<FocusSwitchPolicy::Clock::duration> FocusSwitchPolicy::OnFront(
    const FrontApplication& application, Clock::time_point now) {
    // The own windows cancel a switch that has not settled, but keep the one
    // that waits: closing the key editor is what lets it through.
    if (application.ours || !rules_.SwitchingOn()) {
        pending_ = false;
        return std::nullopt;
    }
    front_ = application;
    since_ = now;
    pending_ = true;
    return Clock::duration(kSettleTime);
}

FocusSwitchPolicy::Step FocusSwitchPolicy::Settle(Clock::time_point now,
                                                  const Situation& situation) {
    if (!pending_) {
        return {};
    }
    // A timer may run out a little early.
    if (const auto settled = since_ + kSettleTime; now < settled) {
        return {Kind::Rearm, -1, {}, settled - now};
    }
    pending_ = false;
    // Whatever waited was for an application that is no longer in front.
    waiting_.reset();
    const std::optional<int> profile = rules_.ProfileFor(front_.name);
    if (!profile) {
        return {};
    }
    return Decide({Kind::Switch, *profile, front_.name, {}}, situation);
}

FocusSwitchPolicy::Step FocusSwitchPolicy::Release(const Situation& situation) {
    if (!waiting_ || situation.held) {
        return {};
    }
    Step wanted = *std::exchange(waiting_, std::nullopt);
    wanted.kind = Kind::Switch;
    return Decide(std::move(wanted), situation);
}

FocusSwitchPolicy::Step FocusSwitchPolicy::Decide(Step wanted, const Situation& situation) {
    if (wanted.profile == situation.activeProfile) {
        wanted.kind = Kind::Keep;
    } else if (situation.held) {
        wanted.kind = Kind::Wait;
        waiting_ = wanted;
    }
    return wanted;
}

}  // namespace tessel
