#include "model/MacroMemoryGauge.h"

#include "model/MacroArea.h"
#include "model/MacroWorkingCopies.h"
#include "text/DecimalText.h"

namespace tessel {

namespace {

MacroMemoryState StateOf(const MacroAreaSize& sizes, uint32_t capacity) {
    if (capacity == 0) {
        return MacroMemoryState::Unknown;
    }
    if (sizes.needed > capacity || sizes.needed > kMaxMacroAreaSize) {
        return MacroMemoryState::TooLong;
    }
    return sizes.full <= capacity && sizes.full <= kMaxMacroAreaSize
               ? MacroMemoryState::Fits
               : MacroMemoryState::NamesDropped;
}

MacroMemoryUse UseOf(const MacroAreaSize& sizes, uint32_t capacity) {
    return {sizes.full, sizes.needed, capacity, StateOf(sizes, capacity)};
}

}  // namespace

int MacroMemoryUse::Percent() const {
    if (capacity == 0) {
        return 0;
    }
    return static_cast<int>((uint64_t{Used()} * 100 + capacity - 1) / capacity);
}

MacroMemoryUse MeasureMacroMemory(std::span<const MacroRecord> macros, uint32_t capacity) {
    return UseOf(MacroAreaSizes(macros), capacity);
}

MacroMemoryUse MeasureMacroMemory(const MacroWorkingCopies& copies, uint32_t capacity) {
    MacroAreaSize sizes = MacroAreaSizes(copies.Copies());
    if (copies.Shown() >= 0) {
        // The shown macro's actions are its rows until they are folded back.
        const uint32_t stored = copies.Copy(copies.Shown()).actionCount;
        const uint32_t rows = static_cast<uint32_t>(copies.Rows().Count());
        const uint32_t less = kPackedActionSize * stored;
        const uint32_t more = kPackedActionSize * rows;
        sizes.full = sizes.full - less + more;
        sizes.needed = sizes.needed - less + more;
    }
    return UseOf(sizes, capacity);
}

std::u16string MacroMemoryCaption(const MacroMemoryUse& use) {
    std::u16string caption = DecimalText(use.Used()) + u" / ";
    if (use.state == MacroMemoryState::Unknown) {
        return caption + u"? B";
    }
    return caption + DecimalText(use.capacity) + u" B (" + DecimalText(use.Percent()) + u"%)";
}

}  // namespace tessel
