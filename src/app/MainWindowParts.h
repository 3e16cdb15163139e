#pragma once
// What the main window needs beyond the start-up services: texts, dialogs and
// what it learns from the keyboard. All live for the whole run.

#include <filesystem>
#include <functional>
#include <memory>

namespace tessel {

class ClockChangeSource;
class FocusWatcher;
class ExportResolver;
class Registry;
class KeyboardFacts;
class LanguageChoice;
class LanguageFiles;
class LanguageTable;
class Prompter;

struct MainWindowParts {
    LanguageChoice& language;
    const LanguageFiles& languageFiles;
    LanguageTable& languageTable;
    Prompter& prompter;
    KeyboardFacts& keyboard;
    // Where the device-service library's exports come from; the library in the
    // program folder when nullptr.
    ExportResolver* deviceExports = nullptr;
    // The user's data folder (scene-mode and settings files); the one in the
    // Documents folder when empty.
    std::filesystem::path dataFolder = {};
    // The per-user settings; the current user's when nullptr.
    Registry* settings = nullptr;
    // Changes of the wall clock; the system's when nullptr.
    ClockChangeSource* clockChanges = nullptr;
    // Tells which application is in front; the desktop's own watcher when empty.
    std::function<std::unique_ptr<FocusWatcher>()> focusWatchers = {};
};

}  // namespace tessel
