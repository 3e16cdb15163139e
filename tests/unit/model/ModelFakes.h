#pragma once
// Small fakes of the text lookup and the message boxes for model tests.

#include <map>
#include <string>
#include <vector>

#include "platform/Prompter.h"
#include "text/TextLookup.h"

namespace tessel::test {

// Known keys give their text; an unknown key gives "#Error" as the language
// files do.
class FakeTextLookup : public TextLookup {
public:
    std::map<std::u16string, std::u16string, std::less<>> texts;

    std::u16string LocalText(std::u16string_view textKey) const override {
        auto found = texts.find(textKey);
        return found == texts.end() ? u"#Error" : found->second;
    }
};

// Records every message and answers Ok.
class RecordingPrompter : public Prompter {
public:
    std::vector<std::u16string> messages;

    PromptAnswer ShowMessage(const std::u16string& text, const std::u16string&, PromptButtons,
                             PromptIcon) override {
        messages.push_back(text);
        return PromptAnswer::Ok;
    }
    std::optional<std::u16string> AskOpenFile(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::u16string> AskSaveFile(const FileDialogRequest&) override {
        return std::nullopt;
    }
};

}  // namespace tessel::test
