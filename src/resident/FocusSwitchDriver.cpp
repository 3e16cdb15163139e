#include "resident/FocusSwitchDriver.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "appfocus/AppProfileSettings.h"
#include "device/DeviceResult.h"

namespace tessel {

using Kind = FocusSwitchPolicy::Step::Kind;

FocusSwitchDriver::FocusSwitchDriver(FocusSwitchHost& host, std::filesystem::path settingsFile,
                                     WatcherFactory makeWatcher, QObject* parent)
    : QObject(parent),
      host_(host),
      settingsFile_(std::move(settingsFile)),
      makeWatcher_(std::move(makeWatcher)) {
    settle_.setSingleShot(true);
    settle_.setTimerType(Qt::PreciseTimer);
    connect(&settle_, &QTimer::timeout, this, [this] { OnSettleTimer(); });
}

FocusSwitchDriver::~FocusSwitchDriver() = default;

void FocusSwitchDriver::Start() {
    ReloadRules();
    for (const std::string& problem : problems_) {
        std::fprintf(stderr, "tessel: %s: %s\n", settingsFile_.string().c_str(), problem.c_str());
    }
}

void FocusSwitchDriver::Stop() {
    stopped_ = true;
    UpdateWatcher();
}

void FocusSwitchDriver::ReloadRules() {
    AppProfileSettingsRead read = ReadAppProfileRules(settingsFile_);
    problems_ = std::move(read.problems);
    policy_.SetRules(std::move(read.rules));
    UpdateWatcher();
    host_.FocusSwitchStateChanged();
}

bool FocusSwitchDriver::ChangeRules(const AppProfileRules& rules) {
    if (!WriteAppProfileRules(settingsFile_, rules)) {
        return false;
    }
    problems_.clear();
    policy_.SetRules(rules);
    UpdateWatcher();
    host_.FocusSwitchStateChanged();
    return true;
}

bool FocusSwitchDriver::HasSomethingToFollow() const {
    const AppProfileRules& rules = policy_.Rules();
    return rules.SwitchingOn() && (!rules.Rules().empty() || rules.OtherApplications());
}

void FocusSwitchDriver::UpdateWatcher() {
    const bool wanted = !stopped_ && (HasSomethingToFollow() || wantOpenApplications_);
    if (!wanted) {
        // Nothing to follow: no connection, no wake-up.
        watcher_.reset();
        settle_.stop();
        return;
    }
    if (watcher_ || watcherFailed_) {
        return;
    }
    watcher_ = makeWatcher_ ? makeWatcher_() : nullptr;
    if (!watcher_) {
        watcherFailed_ = true;
        return;
    }
    watcher_->Watch([this](const FocusedWindow& window) { OnFront(window); });
}

std::vector<std::u16string> FocusSwitchDriver::OpenApplications() {
    return watcher_ ? watcher_->OpenApplications() : std::vector<std::u16string>{};
}

void FocusSwitchDriver::SetWantOpenApplications(bool want) {
    wantOpenApplications_ = want;
    UpdateWatcher();
}

void FocusSwitchDriver::OnFront(const FocusedWindow& window) {
    const bool ours = window.pid == static_cast<int>(getpid()) ||
                      std::ranges::any_of(ownNames_, [&](const std::u16string& name) {
                          return SameApplication(name, window.application);
                      });
    const auto delay = policy_.OnFront({window.application, ours}, FocusSwitchPolicy::Clock::now());
    if (delay) {
        settle_.start(std::chrono::duration_cast<std::chrono::milliseconds>(*delay));
    } else {
        settle_.stop();
    }
}

void FocusSwitchDriver::OnSettleTimer() {
    Carry(policy_.Settle(FocusSwitchPolicy::Clock::now(), Situation()));
}

void FocusSwitchDriver::HoldMayHaveEnded() {
    if (policy_.Waiting()) {
        Carry(policy_.Release(Situation()));
    }
}

FocusSwitchPolicy::Situation FocusSwitchDriver::Situation() const {
    return {host_.SwitchWouldLoseWork(), host_.KnownActiveProfile()};
}

void FocusSwitchDriver::Carry(const FocusSwitchPolicy::Step& step) {
    switch (step.kind) {
        case Kind::Nothing:
            break;
        case Kind::Rearm:
            settle_.start(std::chrono::duration_cast<std::chrono::milliseconds>(step.delay) +
                          std::chrono::milliseconds(1));
            return;
        case Kind::Keep:
            inForce_ = step.application;
            profileInForce_ = step.profile;
            break;
        case Kind::Wait:
            break;
        case Kind::Switch:
            // An absent or silent keyboard is skipped; the next change tries again.
            host_.SwitchProfileForApplication(step.profile, [this, step](int result) {
                if (result == kDeviceDone) {
                    inForce_ = step.application;
                    profileInForce_ = step.profile;
                    host_.FocusSwitchStateChanged();
                }
            });
            break;
    }
    host_.FocusSwitchStateChanged();
}

}  // namespace tessel
