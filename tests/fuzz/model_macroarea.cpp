// Macro areas read back from the keyboard: any bytes either decode into a list
// that packs and decodes again to the same macros, or are refused.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "model/MacroArea.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessel;
    const auto macros = DecodeMacroArea(std::span<const std::uint8_t>(data, size), u"M");
    if (!macros) {
        return 0;
    }
    const MacroAreaSize sizes = MacroAreaSizes(*macros);
    if (sizes.full > kMaxMacroAreaSize) {
        return 0;
    }
    const auto image = BuildMacroArea(*macros, sizes.full, true);
    const auto again = DecodeMacroArea(image, u"M");
    if (!again || again->size() != macros->size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < macros->size(); ++i) {
        const MacroRecord& a = (*macros)[i];
        const MacroRecord& b = (*again)[i];
        if (a.Name() != b.Name() || a.actionCount != b.actionCount ||
            a.cycleCount != b.cycleCount) {
            std::abort();
        }
    }
    return 0;
}
