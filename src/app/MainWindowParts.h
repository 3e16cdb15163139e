#pragma once
// What the main window needs beyond the start-up services: texts, dialogs and
// what it learns from the keyboard. All live for the whole run.

namespace tessel {

class ExportResolver;
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
};

}  // namespace tessel
