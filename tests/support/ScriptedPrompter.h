#pragma once
// A Prompter for tests: records every message and file dialog and answers
// them as the test scripts.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Prompter.h"

namespace tessel::testing {

struct ShownMessage {
    std::u16string text;
    std::u16string caption;
    PromptButtons buttons;
};

class ScriptedPrompter final : public Prompter {
public:
    // The answer to every message, unless `answers` holds the next one.
    PromptAnswer answer = PromptAnswer::Ok;
    std::deque<PromptAnswer> answers;
    // Runs once, while the next message is shown, as the user's other actions would.
    std::function<void()> whileShown;
    // Runs at every message, before the answer.
    std::function<void()> onMessage;
    std::vector<ShownMessage> shown;

    // Answers of the file dialogs, in order; nothing (and an empty queue) =
    // the user cancelled.
    std::deque<std::optional<std::u16string>> fileAnswers;
    std::vector<FileDialogRequest> dialogs;

    PromptAnswer ShowMessage(const std::u16string& text, const std::u16string& caption,
                             PromptButtons buttons, PromptIcon) override {
        shown.push_back({text, caption, buttons});
        if (onMessage) {
            onMessage();
        }
        if (whileShown) {
            std::exchange(whileShown, nullptr)();
        }
        if (answers.empty()) {
            return answer;
        }
        const PromptAnswer next = answers.front();
        answers.pop_front();
        return next;
    }
    std::optional<std::u16string> AskOpenFile(const FileDialogRequest& request) override {
        return NextFile(request);
    }
    std::optional<std::u16string> AskSaveFile(const FileDialogRequest& request) override {
        return NextFile(request);
    }

    // The texts of the messages shown so far.
    std::vector<std::u16string> Texts() const {
        std::vector<std::u16string> texts;
        for (const ShownMessage& message : shown) {
            texts.push_back(message.text);
        }
        return texts;
    }

private:
    std::optional<std::u16string> NextFile(const FileDialogRequest& request) {
        dialogs.push_back(request);
        if (fileAnswers.empty()) {
            return std::nullopt;
        }
        auto next = fileAnswers.front();
        fileAnswers.pop_front();
        return next;
    }
};

}  // namespace tessel::testing
