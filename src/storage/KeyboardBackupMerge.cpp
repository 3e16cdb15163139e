#include "storage/KeyboardBackupMerge.h"

#include <array>
#include <optional>

#include "model/KeyBlockCodec.h"
#include "model/KeyCode.h"
#include "model/MacroArea.h"

namespace tessel {
namespace {

// How the slots of one key index compare between the previous file and the
// keyboard.
enum class SlotMatch : uint8_t { NoSlot, Same, Differs };

constexpr uint16_t kPlayMacro = static_cast<uint16_t>(AssignmentType::PlayMacro);

bool PacksTheSame(const MacroRecord& before, const MacroRecord& read) {
    const auto a = before.Actions();
    const auto b = read.Actions();
    if (before.cycleCount != read.cycleCount || a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (PackMacroAction(a[i]) != PackMacroAction(b[i])) {
            return false;
        }
    }
    return true;
}

std::vector<MacroRecord> MergeMacros(KeyboardContents& keyboard, const Configuration& previous) {
    std::vector<MacroRecord> macros = std::move(keyboard.macros);
    for (std::size_t i = 0; i < macros.size() && i < previous.macros.size(); ++i) {
        if (!PacksTheSame(previous.macros[i], macros[i])) {
            continue;
        }
        MacroRecord kept = previous.macros[i];
        kept.identifier = macros[i].identifier;
        kept.fresh = 0;
        if (i < keyboard.macroNamed.size() && keyboard.macroNamed[i]) {
            kept.name = macros[i].name;
        }
        macros[i] = kept;
    }
    return macros;
}

std::array<SlotMatch, kEntriesPerProfile> CompareSlots(const KeyBlock& before, const KeyBlock& read,
                                                       const KeyBlock& defaults) {
    std::array<SlotMatch, kEntriesPerProfile> match{};
    for (int slot = 0; slot < kKeySlotCount; ++slot) {
        const uint16_t code = SlotKeyCode(SlotAction(defaults, slot));
        const int keyIndex = code ? KeyIndexOf(code) : -1;
        if (keyIndex < 0 || keyIndex >= kEntriesPerProfile) {
            continue;
        }
        const bool same = SlotAction(before, slot) == SlotAction(read, slot);
        SlotMatch& verdict = match[static_cast<std::size_t>(keyIndex)];
        verdict = (verdict == SlotMatch::Differs || !same) ? SlotMatch::Differs : SlotMatch::Same;
    }
    return match;
}

// Type-4 values are macro identifiers; the keyboard's decode numbers them by
// position + 1, which must name the same macro in the list that is kept.
uint32_t IdentifierAt(const std::vector<MacroRecord>& macros, uint32_t positionPlusOne) {
    const std::size_t position = positionPlusOne - 1;
    return positionPlusOne >= 1 && position < macros.size() ? macros[position].identifier
                                                            : positionPlusOne;
}

std::optional<std::size_t> PositionOf(const std::vector<MacroRecord>& macros, uint32_t identifier) {
    for (std::size_t i = 0; i < macros.size(); ++i) {
        if (macros[i].identifier == identifier) {
            return i;
        }
    }
    return std::nullopt;
}

void MergeEntries(const KeyboardContents& keyboard, const Configuration& previous,
                  const KeyBlock& defaults, bool macrosFromPrevious, Configuration& merged) {
    ProfileImage& image = *merged.image;
    for (int profile = 0; profile < kProfileCount; ++profile) {
        const KeyBlock before = BuildKeyBlock(*previous.image, previous.macros, profile, defaults);
        const auto match =
            CompareSlots(before, keyboard.blocks[static_cast<std::size_t>(profile)], defaults);
        for (int keyIndex = 0; keyIndex < kEntriesPerProfile; ++keyIndex) {
            const int slot = EntryIndex(profile, keyIndex);
            KeyAssignment& entry = image.entries[slot];
            const KeyAssignment& old = previous.image->entries[slot];
            const SlotMatch verdict = match[static_cast<std::size_t>(keyIndex)];
            if (verdict == SlotMatch::Differs) {
                entry.colourSelection = old.colourSelection;
                entry.reserved = old.reserved;
                if (entry.type == kPlayMacro && macrosFromPrevious) {
                    entry.value = IdentifierAt(merged.macros, entry.value);
                }
                continue;
            }
            const KeyAssignment read = entry;
            entry = old;
            if (const std::u16string* text = previous.texts.Text(slot)) {
                merged.texts.Set(slot, *text);
            }
            if (entry.type != kPlayMacro || macrosFromPrevious) {
                continue;
            }
            if (verdict == SlotMatch::Same) {
                entry.value = read.type == kPlayMacro ? read.value : entry.value;
            } else if (const auto position = PositionOf(previous.macros, old.value);
                       position && *position < merged.macros.size()) {
                entry.value = merged.macros[*position].identifier;
            }
        }
    }
}

}  // namespace

MergedScene MergeWithPreviousScene(KeyboardContents keyboard, const Configuration* previous,
                                   const KeyBlock& defaults) {
    MergedScene merged;
    Configuration& configuration = merged.configuration;
    const bool havePrevious = previous != nullptr && previous->image != nullptr;
    const bool macrosFromPrevious =
        keyboard.macroAreaUnreadable && havePrevious && !previous->macros.empty();
    merged.macrosUnknown = keyboard.macroAreaUnreadable && !macrosFromPrevious;

    if (macrosFromPrevious) {
        configuration.macros = previous->macros;
    } else if (havePrevious) {
        configuration.macros = MergeMacros(keyboard, *previous);
    } else {
        configuration.macros = std::move(keyboard.macros);
    }
    configuration.image = std::move(keyboard.image);
    if (havePrevious) {
        MergeEntries(keyboard, *previous, defaults, macrosFromPrevious, configuration);
    }
    return merged;
}

}  // namespace tessel
