#include "model/MacroNumbering.h"

#include "model/ConfigStore.h"

namespace tessel {

bool MacroNumberingChanged(const ConfigStore& edit) {
    auto lock = edit.Lock();
    const MacroNumbering& numbering = edit.Numbering();
    if (numbering.assignmentsReset) {
        return true;
    }
    const std::vector<MacroRecord>& macros = edit.Macros();
    // Macros added behind the known ones move nothing.
    if (numbering.applied.size() > macros.size()) {
        return true;
    }
    for (std::size_t i = 0; i < numbering.applied.size(); ++i) {
        if (macros[i].identifier != numbering.applied[i]) {
            return true;
        }
    }
    return false;
}

void NoteMacroNumberingApplied(ConfigStore& edit) {
    auto lock = edit.Lock();
    MacroNumbering& numbering = edit.Numbering();
    numbering.applied.clear();
    for (const MacroRecord& macro : edit.Macros()) {
        numbering.applied.push_back(macro.identifier);
    }
    numbering.assignmentsReset = false;
}

}  // namespace tessel
