// When the keyboard follows the application in front: each scenario is a run
// of events on a clock, with what the policy must answer to each.

#include <gtest/gtest.h>

#include "appfocus/FocusSwitchPolicy.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using Kind = FocusSwitchPolicy::Step::Kind;

struct Event {
    enum Type { Front, Ours, Settle, Release, RulesOff } type;
    int atMs;
    std::u16string application = {};
    bool held = false;
    int active = 0;
    // Front: whether a timer is started. Settle and Release: the step.
    Kind expect = Kind::Nothing;
    int profile = -1;
};

struct Scenario {
    const char* what;
    std::vector<Event> events;
};

class FocusSwitchPolicyTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(FocusSwitchPolicyTest, Answers) {
    AppProfileRules rules;
    rules.Set(u"firefox", 1);
    rules.Set(u"kate", 2);
    rules.Set(u"gimp", 3);
    FocusSwitchPolicy policy(rules);
    const auto start = FocusSwitchPolicy::Clock::time_point{} + 1h;
    int step = 0;
    for (const Event& event : GetParam().events) {
        SCOPED_TRACE("event " + std::to_string(step++));
        const auto now = start + std::chrono::milliseconds(event.atMs);
        const FocusSwitchPolicy::Situation situation{event.held, event.active};
        switch (event.type) {
            case Event::Front:
            case Event::Ours: {
                const auto delay =
                    policy.OnFront({event.application, event.type == Event::Ours}, now);
                EXPECT_EQ(delay.has_value(), event.expect == Kind::Rearm);
                break;
            }
            case Event::RulesOff: {
                AppProfileRules off = policy.Rules();
                off.SetSwitchingOn(false);
                policy.SetRules(off);
                break;
            }
            case Event::Settle:
            case Event::Release: {
                const auto answer = event.type == Event::Settle ? policy.Settle(now, situation)
                                                                : policy.Release(situation);
                EXPECT_EQ(answer.kind, event.expect);
                if (event.profile >= 0) {
                    EXPECT_EQ(answer.profile, event.profile);
                }
                // What waits stays while held, and goes once the hold is over.
                if (event.type == Event::Settle || !event.held) {
                    EXPECT_EQ(policy.Waiting().has_value(), answer.kind == Kind::Wait);
                }
                break;
            }
        }
    }
}

constexpr auto kTimer = Kind::Rearm;  // a Front that starts the timer
constexpr auto kNone = Kind::Nothing;

INSTANTIATE_TEST_SUITE_P(
    Scenarios, FocusSwitchPolicyTest,
    ::testing::Values(Scenario{"one settled change switches once",
                               {{Event::Front, 0, u"Firefox", false, 0, kTimer},
                                {Event::Settle, 300, {}, false, 0, Kind::Switch, 1},
                                {Event::Settle, 600, {}, false, 1, kNone}}},
                      Scenario{"alt-tab through four windows switches once, to the last",
                               {{Event::Front, 0, u"firefox", false, 0, kTimer},
                                {Event::Front, 80, u"kate", false, 0, kTimer},
                                {Event::Front, 160, u"gimp", false, 0, kTimer},
                                {Event::Front, 240, u"KATE", false, 0, kTimer},
                                {Event::Settle, 300, {}, false, 0, Kind::Rearm},
                                {Event::Settle, 540, {}, false, 0, Kind::Switch, 2}}},
                      Scenario{"the profile in force already is kept, without a switch",
                               {{Event::Front, 0, u"kate", false, 2, kTimer},
                                {Event::Settle, 300, {}, false, 2, Kind::Keep, 2}}},
                      Scenario{"an application without a rule stays on the current profile",
                               {{Event::Front, 0, u"xterm", false, 0, kTimer},
                                {Event::Settle, 300, {}, false, 0, kNone}}},
                      Scenario{"the own window cancels what has not settled and switches nothing",
                               {{Event::Front, 0, u"firefox", false, 0, kTimer},
                                {Event::Ours, 100, u"tessel", false, 0, kNone},
                                {Event::Settle, 300, {}, false, 0, kNone}}},
                      Scenario{"held: waits, and catches up once released",
                               {{Event::Front, 0, u"gimp", true, 0, kTimer},
                                {Event::Settle, 300, {}, true, 0, Kind::Wait, 3},
                                {Event::Ours, 400, u"tessel", true, 0, kNone},
                                {Event::Release, 500, {}, true, 0, kNone},
                                {Event::Release, 900, {}, false, 0, Kind::Switch, 3},
                                {Event::Release, 950, {}, false, 3, kNone}}},
                      Scenario{"a wait is dropped when another application settles",
                               {{Event::Front, 0, u"gimp", true, 0, kTimer},
                                {Event::Settle, 300, {}, true, 0, Kind::Wait, 3},
                                {Event::Front, 400, u"xterm", true, 0, kTimer},
                                {Event::Settle, 700, {}, true, 0, kNone},
                                {Event::Release, 800, {}, false, 0, kNone}}},
                      Scenario{"switching off: no timer, and what waited is dropped",
                               {{Event::Front, 0, u"gimp", true, 0, kTimer},
                                {Event::Settle, 300, {}, true, 0, Kind::Wait, 3},
                                {Event::RulesOff, 350},
                                {Event::Release, 400, {}, false, 0, kNone},
                                {Event::Front, 500, u"kate", false, 0, kNone},
                                {Event::Settle, 800, {}, false, 0, kNone}}}),
    [](const auto& info) { return "Scenario" + std::to_string(info.index); });

}  // namespace
}  // namespace tessel
