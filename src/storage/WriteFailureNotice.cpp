#include "storage/WriteFailureNotice.h"

#include "platform/Prompter.h"
#include "text/SafeFormat.h"
#include "text/TextLookup.h"

namespace tessel {

std::u16string FailedWriteText(const std::filesystem::path& file, const TextLookup& texts) {
    return SafeFormat(texts.LocalText(kWriteFailedText), {file.u16string()});
}

void ReportFailedWrite(const std::filesystem::path& file, Prompter& prompter,
                       const TextLookup& texts) {
    prompter.ShowMessage(FailedWriteText(file, texts), u"", PromptButtons::Ok,
                         PromptIcon::Warning);
}

void UnaskedWriteNotice::Note(bool written, const std::filesystem::path& file, Prompter& prompter,
                              const TextLookup& texts) {
    if (written) {
        told_ = false;
        return;
    }
    if (!told_) {
        told_ = true;
        ReportFailedWrite(file, prompter, texts);
    }
}

}  // namespace tessel
