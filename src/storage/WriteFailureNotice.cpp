#include "storage/WriteFailureNotice.h"

#include "platform/Prompter.h"
#include "platform/Utf8.h"
#include "text/SafeFormat.h"
#include "text/TextLookup.h"

namespace tessel {

std::u16string FailedWriteText(const std::filesystem::path& file, const TextLookup& texts,
                               std::string_view reason) {
    std::u16string text = SafeFormat(texts.LocalText(kWriteFailedText), {file.u16string()});
    if (!reason.empty()) {
        text += u"\n\n" + FromUtf8(reason);
    }
    return text;
}

void ReportFailedWrite(const std::filesystem::path& file, Prompter& prompter,
                       const TextLookup& texts, std::string_view reason) {
    prompter.ShowMessage(FailedWriteText(file, texts, reason), u"", PromptButtons::Ok,
                         PromptIcon::Warning);
}

void UnaskedWriteNotice::Note(std::string_view failure, const std::filesystem::path& file,
                              Prompter& prompter, const TextLookup& texts) {
    if (failure.empty()) {
        told_ = false;
        return;
    }
    if (!told_) {
        told_ = true;
        ReportFailedWrite(file, prompter, texts, failure);
    }
}

}  // namespace tessel
