#pragma once
// Switching the keyboard's active profile ("scene mode") and showing which one
// is active: the switch itself, the scene menu that labels the main window's
// scene button, and the scene-mode manager. The main window owns one for its
// whole life; the profile buttons, the lighting panel and the scene menu call
// SwitchScene.

#include <QPoint>
#include <QPointer>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "editors/SceneHost.h"
#include "editors/SceneMenu.h"
#include "storage/WriteFailureNotice.h"

class QWidget;

namespace tessel {

class CTessel_DlgProfile;
class ConfigStore;
class KeyboardFacts;
class KeyboardJobs;
class LanguageTable;
class Prompter;
class ProfileSettings;
class SceneFile;
class TextLookup;
struct ProgramPaths;

inline constexpr int kSceneCount = 4;

// Everything the switch and the manager work with; all live for the whole run.
struct SceneServices {
    KeyboardJobs& keyboardJobs;
    SceneFile& sceneFile;
    ConfigStore& editStore;
    Prompter& prompter;
    const LanguageTable& languageTable;
    const TextLookup& texts;
    const ProgramPaths& paths;
    KeyboardFacts& keyboard;
    // Where the manager keeps its "PROFILES" values.
    ProfileSettings& settings;
    // The folder of the scene-mode file, where new files are proposed.
    std::filesystem::path dataFolder;
};

class SceneSwitch {
public:
    // `window` parents the menu and the manager; it must outlive neither.
    // Without one the switch works alone until a window is attached.
    SceneSwitch(SceneHost& host, const SceneServices& services, QWidget* window);
    ~SceneSwitch();
    SceneSwitch(const SceneSwitch&) = delete;
    SceneSwitch& operator=(const SceneSwitch&) = delete;

    // Asks the keyboard to make profile n (0..3; 4 and above mean 0) the
    // active one, first asking what to do with unapplied edits; the buttons
    // and the menu follow when it has, and then `switched` learns whether it
    // did (the device result). 1 asked, 0 refused (a key editor is open, or
    // the exit began while the question was shown; `switched` is not called).
    using Switched = std::function<void(int result)>;
    int SwitchScene(int n, Switched switched = {});
    // Relabels the key buttons from the now active profile.
    void FollowActiveProfile();
    // Creates the menu (create) or empties it, fills it and labels the scene button.
    void BuildSceneMenu(bool create);

    // The window's commands 9000..9200; false for any other command.
    bool OnSceneCommand(int command);
    // The hidden button 1009; the window brings itself to the front first.
    void PopUpSceneMenu(const QPoint& at);
    // The scene button 1005: runs the manager modally.
    int OpenSceneManager();
    // Close-all-editors: Cancel of the manager when it is open.
    void CloseSceneManager();
    // The edit store from the keyboard, the buttons and the menu from the edit
    // store, nothing pending: after an attach and after the manager's Apply.
    // The keyboard is read in its turn; `loaded` runs when the store is filled.
    void LoadScene(std::function<void()> loaded = {});

    // The window has been built: the menu and the manager are made for it.
    void AttachWindow(QWidget* window);
    SceneMenu* Menu() const { return m_menu.get(); }
    bool HasManager() const { return !m_manager.isNull(); }
    CTessel_DlgProfile& Manager() const;
    bool IsManagerModified() const;

private:
    // False when the exit sequence ran while the question was shown.
    bool AskAboutPendingEdits();
    void CreateManager();
    // The manager's Apply: its checked scene (a profile) made active, then
    // the scene loaded, after asking about unapplied edits as a switch does.
    void ApplyManagerScene(std::optional<int> profile);
    QString SceneName() const;

    SceneHost& m_host;
    SceneServices m_services;
    QWidget* m_window;
    std::unique_ptr<SceneMenu> m_menu;
    QPointer<CTessel_DlgProfile> m_manager;
    // The refresh at every attach is not the user's doing: a folder that
    // stays unwritable is told once.
    UnaskedWriteNotice m_refreshNotice;
    // Set while the switch question is shown.
    bool m_questionShown = false;
};

}  // namespace tessel
