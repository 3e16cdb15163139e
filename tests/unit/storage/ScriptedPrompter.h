#pragma once
// A Prompter with scripted file-dialog answers that records every message.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Prompter.h"

namespace tessel::testing {

class ScriptedPrompter final : public Prompter {
public:
    PromptAnswer ShowMessage(const std::u16string& text, const std::u16string&, PromptButtons,
                             PromptIcon) override {
        messages.push_back(text);
        return PromptAnswer::Ok;
    }
    std::optional<std::u16string> AskOpenFile(const FileDialogRequest& request) override {
        return Answer(request);
    }
    std::optional<std::u16string> AskSaveFile(const FileDialogRequest& request) override {
        return Answer(request);
    }

    // Answers of the file dialogs, in order; nothing = the user cancelled.
    std::deque<std::optional<std::u16string>> fileAnswers;
    std::vector<std::u16string> messages;
    std::vector<FileDialogRequest> dialogs;

private:
    std::optional<std::u16string> Answer(const FileDialogRequest& request) {
        dialogs.push_back(request);
        if (fileAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};

}  // namespace tessel::testing
