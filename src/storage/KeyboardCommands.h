#pragma once
// The keyboard commands a user types at a terminal: back the keyboard's four
// profiles and macros up into a configuration file, restore them from one,
// make an on-board profile active. The running instance and a process of its
// own both run them through these functions; each says in one line what went
// wrong.

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

#include "model/ApplyAssignments.h"
#include "model/ConfigStore.h"
#include "platform/Prompter.h"
#include "storage/ConfigFile.h"

namespace tessel {

class DeviceLink;
class KeyboardFacts;

struct CommandOutcome {
    bool done = false;
    // Without the program name: what went wrong, or what was done.
    std::string line;
};

// The configuration of all four profiles as the scene refresh reads it.
CommandOutcome BackupKeyboardToFile(DeviceLink& link, const KeyboardFacts& keyboard,
                                    std::u16string_view macroNamePrefix,
                                    const std::filesystem::path& path);

struct RestoreTarget {
    ConfigStore& editStore;
    ConfigStore& applyStore;
    // Where the scene-mode file lives; it is rewritten when it exists.
    std::filesystem::path dataFolder;
};
// Validates the whole file first: a file that does not validate sends nothing
// to the keyboard and leaves the stores as they were. Then as an import: the
// edit store takes the file, the scene-mode file follows, all four profiles
// are applied. Messages of the apply go to the services' prompter.
CommandOutcome RestoreKeyboardFromFile(const std::filesystem::path& path,
                                       const RestoreTarget& target, const ApplyServices& services);

// The halves of a restore. First the whole file validated, or why not.
std::variant<Configuration, CommandOutcome> ReadRestoreFile(const std::filesystem::path& path);
// Then the edit store takes it and the scene-mode file follows; the number of
// macros restored.
std::size_t StoreRestoredConfiguration(Configuration configuration, const RestoreTarget& target);
// The second half's line: `result` is the apply's, nothing when nothing was sent.
CommandOutcome RestoreOutcome(const std::filesystem::path& path, std::size_t macroCount,
                              std::optional<int> result);
// Why the running instance refuses a keyboard command while an editor is
// open: its OK would store what it holds over the command's result.
CommandOutcome EditorOpenRefusal();

// A failed device result in words: "no keyboard is attached", ...
std::string DeviceProblem(int result);

// Why the keyboard cannot take a command (none attached, no answer), or
// nothing when it answers.
std::optional<std::string> KeyboardProblem(DeviceLink& link);

// `profile` 0..3.
CommandOutcome MakeProfileActive(DeviceLink& link, int profile);

// Reads what the apply needs of the keyboard (default key block, macro
// capacity) as an attach does; a failure says why.
CommandOutcome ReadKeyboardFacts(DeviceLink& link, KeyboardFacts& keyboard);

// A prompter for a process without windows: message texts are kept for the
// outcome line, every question is answered No or Cancel and no file is chosen.
class CollectingPrompter final : public Prompter {
public:
    PromptAnswer ShowMessage(const std::u16string& text, const std::u16string& caption,
                             PromptButtons buttons, PromptIcon icon) override;
    std::optional<std::u16string> AskOpenFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::u16string> AskSaveFile(const FileDialogRequest&) override { return {}; }

    // The messages shown so far, joined into one line.
    std::string Messages() const;

private:
    std::u16string m_messages;
};

}  // namespace tessel
