#pragma once
// Decides when the keyboard follows the application in front. A switch waits
// until the focus has stayed on one application for a while (alt-tab through
// four windows switches once), is never caused by the program's own windows,
// and is held back while switching would lose work (the key editor is open,
// edits are not applied), to be caught up once that is over. The caller owns
// the single-shot timer: it starts it with the delay OnFront returns and
// calls Settle when it runs out.

#include <chrono>
#include <optional>
#include <string>

#include "appfocus/AppProfileRules.h"

namespace tessel {

struct FrontApplication {
    std::u16string name;  // empty when the window gives none
    bool ours = false;    // one of this program's own windows
};

class FocusSwitchPolicy {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kSettleTime{300};

    struct Situation {
        bool held = false;       // a switch now would lose work
        int activeProfile = -1;  // as last known; -1 unknown
    };
    struct Step {
        enum class Kind {
            Nothing,
            Switch,  // make `profile` active for `application`
            Keep,    // `application`'s profile is active already
            Wait,    // `profile` waits for the hold to end
            Rearm,   // call Settle again after `delay`
        };
        Kind kind = Kind::Nothing;
        int profile = -1;
        std::u16string application;
        Clock::duration delay{};
        bool operator==(const Step&) const = default;
    };

    explicit FocusSwitchPolicy(AppProfileRules rules = {});
    void SetRules(AppProfileRules rules);
    const AppProfileRules& Rules() const { return rules_; }

    // `application` came in front at `now`: the delay after which Settle is
    // due (restart the timer), or nothing (stop it).
    std::optional<Clock::duration> OnFront(const FrontApplication& application,
                                           Clock::time_point now);
    Step Settle(Clock::time_point now, const Situation& situation);
    // The hold may have ended: the switch that waited, if it still applies.
    Step Release(const Situation& situation);
    // The switch that waits for the hold to end.
    const std::optional<Step>& Waiting() const { return waiting_; }

private:
    Step Decide(Step wanted, const Situation& situation);

    AppProfileRules rules_;
    FrontApplication front_;
    Clock::time_point since_{};
    bool pending_ = false;
    std::optional<Step> waiting_;
};

}  // namespace tessel
