#pragma once
// Message boxes and file dialogs as the core sees them: the UI answers with Qt
// dialogs, tests with scripted answers.

#include <optional>
#include <string>

namespace tessel {

// YesNoDefaultNo: Yes and No with No preselected, for questions whose Yes
// changes or throws away the user's work.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoDefaultNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };
enum class PromptIcon { None, Information, Warning, Error, Question };

struct FileDialogRequest {
    std::u16string title;
    std::u16string filter;  // "Name (*.fwc)" style, as Qt takes it
    std::u16string defaultExtension;
    std::u16string initialPath;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual PromptAnswer ShowMessage(const std::u16string& text, const std::u16string& caption,
                                     PromptButtons buttons, PromptIcon icon) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::u16string> AskOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::u16string> AskSaveFile(const FileDialogRequest& request) = 0;
};

}  // namespace tessel
