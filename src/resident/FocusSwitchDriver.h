#pragma once
// Makes the keyboard follow the application in front: holds the rules, the
// desktop's focus watcher and the settle timer, and asks the window for each
// switch the policy decides on. The watcher runs only while there is a rule
// to follow, or while the rules window wants the open applications.

#include <QObject>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "appfocus/FocusSwitchPolicy.h"
#include "platform/FocusWatcher.h"

namespace tessel {

class FocusSwitchHost {
public:
    virtual ~FocusSwitchHost() = default;
    // A switch now would lose work: the key editor is open, edits wait.
    virtual bool SwitchWouldLoseWork() const = 0;
    virtual int KnownActiveProfile() const = 0;
    // As a click on the profile's button; false when it was not even asked
    // (no keyboard). `done` learns the device result.
    virtual bool SwitchProfileForApplication(int profile, std::function<void(int)> done) = 0;
    // The application and profile in force, or what waits, have changed.
    virtual void FocusSwitchStateChanged() = 0;
};

class FocusSwitchDriver : public QObject {
public:
    using WatcherFactory = std::function<std::unique_ptr<FocusWatcher>()>;

    FocusSwitchDriver(FocusSwitchHost& host, std::filesystem::path settingsFile,
                      WatcherFactory makeWatcher, QObject* parent = nullptr);
    ~FocusSwitchDriver() override;

    // Reads the rules (saying once on standard error what was skipped) and
    // starts watching when there is something to follow.
    void Start();
    // The names the desktop gives this program's own windows, where it tells
    // no process id (Wayland app ids).
    void SetOwnApplications(std::vector<std::u16string> names) { ownNames_ = std::move(names); }
    // No more watching or switching (the exit sequence).
    void Stop();
    // Re-reads the rules from the settings file.
    void ReloadRules();
    // Stores and follows new rules; false when they could not be written.
    bool ChangeRules(const AppProfileRules& rules);
    const AppProfileRules& Rules() const { return policy_.Rules(); }
    const std::vector<std::string>& RuleProblems() const { return problems_; }
    // The editor closed, or edits were applied or discarded.
    void HoldMayHaveEnded();

    // This desktop tells which application is in front (known once the
    // watcher was wanted).
    bool FocusAvailable() const { return !watcherFailed_; }
    std::vector<std::u16string> OpenApplications();
    // Keeps the watcher while the rules window is open.
    void SetWantOpenApplications(bool want);

    // The application whose rule is in force and its profile (0..3).
    const std::u16string& ApplicationInForce() const { return inForce_; }
    int ProfileInForce() const { return profileInForce_; }
    const std::optional<FocusSwitchPolicy::Step>& Waiting() const { return policy_.Waiting(); }

private:
    void UpdateWatcher();
    void OnFront(const FocusedWindow& window);
    void OnSettleTimer();
    void Carry(const FocusSwitchPolicy::Step& step);
    FocusSwitchPolicy::Situation Situation() const;
    bool HasSomethingToFollow() const;

    FocusSwitchHost& host_;
    std::filesystem::path settingsFile_;
    WatcherFactory makeWatcher_;
    FocusSwitchPolicy policy_;
    std::vector<std::string> problems_;
    std::vector<std::u16string> ownNames_;
    std::unique_ptr<FocusWatcher> watcher_;
    bool watcherFailed_ = false;
    bool stopped_ = false;
    bool wantOpenApplications_ = false;
    QTimer settle_;
    std::u16string inForce_;
    int profileInForce_ = -1;
};

}  // namespace tessel
