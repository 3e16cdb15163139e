#pragma once
// The scene-mode file "$Profile0" of the data folder: the edit store's
// configuration of all four profiles, refreshed from the keyboard whenever a
// scene is loaded and rewritten by every apply and import.

#include <filesystem>
#include <optional>
#include <string_view>

#include "device/DeviceLink.h"
#include "model/ConfigStore.h"
#include "model/KeyboardFacts.h"
#include "storage/ConfigFile.h"
#include "storage/KeyboardBackup.h"

namespace tessel {

class SceneFile {
public:
    SceneFile(std::filesystem::path dataFolder, ConfigStore& editStore);

    // The file's path; the data folder is created first.
    std::filesystem::path Path() const;

    // Writes the edit store, but only over an existing scene-mode file.
    bool SaveSceneFile();

    // What the last LoadScene learnt of the keyboard's macro area: Unreadable
    // only when the previous file had no macros to stand in for it; NotRead
    // also when the active profile was unknown.
    MacroAreaKnowledge KeyboardMacroArea() const { return keyboardMacros_; }
    // Whether the last save, refresh or scene load found the file's folder
    // unwritable (full, read-only); a missing file or an unreadable keyboard
    // is no write failure.
    bool WriteFailed() const { return !writeFailure_.empty(); }
    // Why that write failed ("read-only file system").
    const std::string& WriteFailure() const { return writeFailure_; }

    // Keyboard: read from the keyboard, but the file could not be written.
    enum class Source { File, Keyboard, Defaults };
    // With what ReadKeyboardContents got from the keyboard (on its session), the edit store gets
    // the keyboard's configuration through a refreshed file (straight from the keyboard when the
    // file cannot be written); without it, the default image and no macros.
    Source LoadScene(std::optional<KeyboardContents> contents, const KeyboardFacts& keyboard);
    // Throws away unapplied edits: the edit store is reloaded from the file, or
    // gets the defaults when the file cannot be loaded.
    Source DiscardEdits();

private:
    // Rebuilds the file from the keyboard's contents, keeping what only the
    // host knows from the file as it was.
    bool RefreshSceneFile(KeyboardContents contents, const KeyboardFacts& keyboard);
    Source LoadFileOrDefaults(bool fileIsFresh);
    Source LoadUnwritten();

    std::filesystem::path dataFolder_;
    ConfigStore& editStore_;
    MacroAreaKnowledge keyboardMacros_ = MacroAreaKnowledge::NotRead;
    std::string writeFailure_;
    std::optional<Configuration> unwritten_;  // the last refresh that could not be written
};

}  // namespace tessel
