#include "storage/KeyboardMacroNotice.h"

#include "platform/Prompter.h"
#include "text/TextLookup.h"

namespace tessel {

void NoteKeyboardMacros(MacroAreaKnowledge macros, KeyboardFacts& keyboard, Prompter& prompter,
                        const TextLookup& texts) {
    const bool toldBefore = keyboard.MacroArea() == MacroAreaKnowledge::Unreadable;
    keyboard.SetMacroArea(macros);
    if (macros == MacroAreaKnowledge::Unreadable && !toldBefore) {
        prompter.ShowMessage(texts.LocalText(kUnreadableMacrosText), u"", PromptButtons::Ok,
                             PromptIcon::Warning);
    }
}

}  // namespace tessel
