#include "model/ApplyAssignments.h"

#include <array>
#include <new>
#include <utility>
#include <vector>

#include "device/CommandTransport.h"
#include "device/DeviceLink.h"
#include "device/DeviceResult.h"
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

std::optional<PreparedApply> PrepareApply(ConfigStore& applyStore, bool all,
                                          const ApplyServices& services) {
    auto lock = applyStore.Lock();

    PreparedApply prepared;
    // Never asks the keyboard: this runs where no frame may be sent. With the
    // active profile unknown, every profile's block goes out.
    const int active = services.link.CachedActiveProfile();
    if (all || active < 0 || active >= kProfileCount) {
        prepared.profiles = {0, 1, 2, 3};
    } else {
        prepared.profiles = {active};
    }

    if (!MayReplaceMacroArea(services)) {
        return std::nullopt;
    }

    const MacroAreaSize sizes = MacroAreaSizes(applyStore.Macros());
    const uint32_t capacity = services.keyboard.MacroCapacity();
    prepared.withNames = sizes.full <= capacity;
    if (sizes.needed <= capacity) {
        prepared.macroArea =
            BuildMacroArea(applyStore.Macros(), prepared.withNames ? sizes.full : sizes.needed,
                           prepared.withNames);
    }
    if (prepared.macroArea.empty()) {
        Tell(services, TextKeyEntry::EXTRA_MACRO_TOO_LONG);
        return std::nullopt;
    }

    prepared.macroIdentifiers = MacroIdentifiers(applyStore);
    const KeyBlock defaults = services.keyboard.DefaultKeyBlock();
    for (int profile : prepared.profiles) {
        prepared.blocks.push_back(BuildKeyBlock(applyStore, profile, defaults));
    }
    return prepared;
}

int SendApply(DeviceLink& link, const PreparedApply& apply) {
    // One failed frame fails the whole transfer: a keyboard plugged in again
    // halfway holds a mixture, whatever the last key block says.
    TransferSequence sequence;
    link.BeginTransfer();
    link.WriteMacroArea(apply.macroArea);
    for (std::size_t i = 0; i < apply.profiles.size(); ++i) {
        link.WriteParameters(kClearedParameters,
                             apply.profiles[i] * kParameterRecordSize + kClearedParameterOffset);
        link.WriteKeyBlock(apply.blocks[i], apply.profiles[i]);
    }
    link.EndTransfer();
    return sequence.Failed() ? sequence.FirstFailure() : kDeviceDone;
}

void FinishApply(const PreparedApply& apply, bool written, const ApplyServices& services) {
    if (written) {
        services.keyboard.SetMacroArea(MacroAreaKnowledge::Known);
    }
    if (!apply.withNames) {
        Tell(services, TextKeyEntry::EXTRA_PROFILE_SPACE_TIGHT);
    }
}

std::optional<int> ApplyAssignments(ConfigStore& applyStore, bool all,
                                    const ApplyServices& services) {
    const std::optional<PreparedApply> prepared = PrepareApply(applyStore, all, services);
    if (!prepared) {
        return std::nullopt;
    }
    const int result = SendApply(services.link, *prepared);
    FinishApply(*prepared, result == kDeviceDone, services);
    return result;
}

bool SnapshotEditStore(ConfigStore& editStore, ConfigStore& applyStore) {
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
    return true;
}

std::optional<int> ApplyFromEditStore(ConfigStore& editStore, ConfigStore& applyStore, bool all,
                                      const ApplyServices& services) {
    auto editLock = editStore.Lock();
    if (!SnapshotEditStore(editStore, applyStore)) {
        return std::nullopt;
    }
    // Positions of macros moved: the other profiles' key blocks go out too.
    const bool reset = std::exchange(editStore.Numbering().assignmentsReset, false);
    const std::optional<int> result =
        ApplyAssignments(applyStore, all || reset || MacroNumberingChanged(editStore), services);
    if (result == kDeviceDone) {
        NoteMacroNumberingApplied(editStore, MacroIdentifiers(applyStore));
    } else {
        editStore.Numbering().assignmentsReset = reset;
        if (result) {
            ForgetMacroNumbering(editStore);
        }
    }
    return result;
}

}  // namespace tessel
