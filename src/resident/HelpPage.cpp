#include "resident/HelpPage.h"

#include "platform/Prompter.h"
#include "platform/ShellOpen.h"
#include "text/SafeFormat.h"
#include "text/TextLookup.h"

namespace tessel {

namespace {

constexpr char16_t kNoBrowserTextKey[] = u"IDS_HELP_NO_BROWSER";

}  // namespace

bool OpenHelpPage(const std::filesystem::path& helpFolder, Prompter& prompter,
                  const TextLookup& texts) {
    if (ShellOpenStarted(ShellOpen(kHelpPageName, u"", helpFolder, ShowCommand::Normal))) {
        return true;
    }
    const std::u16string page = (helpFolder / kHelpPageName).u16string();
    prompter.ShowMessage(SafeFormat(texts.LocalText(kNoBrowserTextKey), {page}), u"",
                         PromptButtons::Ok, PromptIcon::Information);
    return false;
}

}  // namespace tessel
