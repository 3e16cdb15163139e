#include "model/MacroNumbering.h"

#include "model/ConfigStore.h"

namespace tessel {

bool MacroNumberingChanged(const ConfigStore& edit) {
    auto lock = edit.Lock();
    const MacroNumbering& numbering = edit.Numbering();
    if (!numbering.applied || numbering.assignmentsReset) {
        return true;
    }
    const std::vector<uint16_t>& held = *numbering.applied;
    const std::vector<MacroRecord>& macros = edit.Macros();
    // Macros added behind the known ones move nothing.
    if (held.size() > macros.size()) {
        return true;
    }
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (macros[i].identifier != held[i]) {
            return true;
        }
    }
    return false;
}

std::vector<uint16_t> MacroIdentifiers(const ConfigStore& store) {
    auto lock = store.Lock();
    std::vector<uint16_t> identifiers;
    identifiers.reserve(store.Macros().size());
    for (const MacroRecord& macro : store.Macros()) {
        identifiers.push_back(macro.identifier);
    }
    return identifiers;
}

void NoteMacroNumberingApplied(ConfigStore& edit, std::vector<uint16_t> held) {
    auto lock = edit.Lock();
    edit.Numbering().applied = std::move(held);
}

void ForgetMacroNumbering(ConfigStore& edit) {
    auto lock = edit.Lock();
    edit.Numbering().applied.reset();
}

}  // namespace tessel
