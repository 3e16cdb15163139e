#include "model/ApplyAssignments.h"

#include <array>
#include <new>
#include <vector>

#include "device/DeviceLink.h"
#include "model/KeyBlockCodec.h"
#include "model/KeyboardFacts.h"
#include "model/MacroArea.h"
#include "model/MacroNumbering.h"
#include "platform/Prompter.h"
#include "text/LanguageTable.h"
#include "text/TextLookup.h"

namespace tessel {

namespace {

// Every key apply clears bytes 18 to 22 of each written profile's lighting record.
constexpr int kClearedParameterOffset = 18;
constexpr std::array<uint8_t, 5> kClearedParameters = {};
constexpr std::u16string_view kReplaceUnreadableMacrosText = u"IDS_MAIN_MACRO_AREA_REPLACE";

void Tell(const ApplyServices& services, TextKeyEntry entry) {
    services.prompter.ShowMessage(services.languageTable.LocalisedText(entry, services.texts), u"",
                                  PromptButtons::Ok, PromptIcon::Warning);
}

// Macros the program could not read may still play on the keyboard: replacing
// them takes the user's word.
bool MayReplaceMacroArea(const ApplyServices& services) {
    if (!services.keyboard.MacroAreaUnknown()) {
        return true;
    }
    return services.prompter.ShowMessage(services.texts.LocalText(kReplaceUnreadableMacrosText),
                                         u"", PromptButtons::YesNoDefaultNo,
                                         PromptIcon::Question) == PromptAnswer::Yes;
}

}  // namespace

bool ApplyAssignments(ConfigStore& applyStore, bool all, const ApplyServices& services) {
    auto lock = applyStore.Lock();

    std::vector<int> profiles;
    if (all) {
        profiles = {0, 1, 2, 3};
    } else {
        const int active = services.link.GetActiveProfile();
        if (active < 0 || active >= kProfileCount) {
            return false;  // no key block to build
        }
        profiles = {active};
    }

    if (!MayReplaceMacroArea(services)) {
        return false;
    }

    const MacroAreaSize sizes = MacroAreaSizes(applyStore.Macros());
    const uint32_t capacity = services.keyboard.MacroCapacity();
    const bool withNames = sizes.full <= capacity;
    std::vector<uint8_t> macroArea;
    if (sizes.needed <= capacity) {
        macroArea =
            BuildMacroArea(applyStore.Macros(), withNames ? sizes.full : sizes.needed, withNames);
    }
    if (macroArea.empty()) {
        Tell(services, TextKeyEntry::EXTRA_MACRO_TOO_LONG);
        return false;
    }

    const KeyBlock defaults = services.keyboard.DefaultKeyBlock();
    std::vector<KeyBlock> blocks;
    for (int profile : profiles) {
        blocks.push_back(BuildKeyBlock(applyStore, profile, defaults));
    }

    DeviceLink& link = services.link;
    int lastKeyBlockResult = 0;
    link.BeginTransfer();
    if (link.WriteMacroArea(macroArea) == 1) {
        services.keyboard.SetMacroArea(MacroAreaKnowledge::Known);
    }
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        link.WriteParameters(kClearedParameters,
                             profiles[i] * kParameterRecordSize + kClearedParameterOffset);
        lastKeyBlockResult = link.WriteKeyBlock(blocks[i], profiles[i]);
    }
    link.EndTransfer();

    if (!withNames) {
        Tell(services, TextKeyEntry::EXTRA_PROFILE_SPACE_TIGHT);
    }
    return lastKeyBlockResult == 1;
}

bool ApplyFromEditStore(ConfigStore& editStore, ConfigStore& applyStore, bool all,
                        const ApplyServices& services) {
    auto editLock = editStore.Lock();
    auto applyLock = applyStore.Lock();
    applyStore.Clear();
    if (!editStore.Image()) {
        return false;
    }
    try {
        auto copy = std::make_unique<ProfileImage>(*editStore.Image());
        const uint32_t textTotal = editStore.Texts().Total();
        NewImage(copy->header, static_cast<uint16_t>(editStore.Macros().size()), textTotal, 0);
        applyStore.Macros() = editStore.Macros();
        applyStore.TextArea() = PackTextArea(*copy, editStore.Texts(), textTotal);
        applyStore.SetImage(std::move(copy));
    } catch (const std::bad_alloc&) {
        applyStore.Clear();
        return false;
    }
    // Positions of macros moved: the other profiles' key blocks go out too.
    const bool applied =
        ApplyAssignments(applyStore, all || MacroNumberingChanged(editStore), services);
    if (applied) {
        NoteMacroNumberingApplied(editStore);
    }
    return applied;
}

}  // namespace tessel
