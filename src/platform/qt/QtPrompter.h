#pragma once
// Message boxes and file dialogs of the core, shown with Qt dialogs.

#include "platform/Prompter.h"

class QWidget;

namespace tessel {

class QtPrompter final : public Prompter {
public:
    // `parent`: the window the dialogs belong to; none for free-standing ones.
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}

    void SetParent(QWidget* parent) { m_parent = parent; }

    // An empty caption shows the application's name, as the framework does.
    PromptAnswer ShowMessage(const std::u16string& text, const std::u16string& caption,
                             PromptButtons buttons, PromptIcon icon) override;
    std::optional<std::u16string> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::u16string> AskSaveFile(const FileDialogRequest& request) override;

private:
    QWidget* m_parent;
};

}  // namespace tessel
