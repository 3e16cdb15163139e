#include "model/UnplacedAssignments.h"

#include <array>

#include "model/KeyCode.h"
#include "model/ProfileImage.h"

namespace tessel {

std::vector<int> UnplacedAssignments(const ProfileImage& image, int profile,
                                     const KeyBlock& defaults) {
    std::array<bool, kEntriesPerProfile> placed{};
    bool anySlot = false;
    for (int slot = 0; slot < kKeySlotCount; ++slot) {
        const uint16_t code = SlotKeyCode(SlotAction(defaults, slot));
        const uint16_t index = KeyIndexOf(code);
        if (code != kNoKey && index < placed.size()) {
            placed[index] = true;
            anySlot = true;
        }
    }
    std::vector<int> unplaced;
    if (!anySlot) {
        return unplaced;
    }
    for (int index = 0; index < kEntriesPerProfile; ++index) {
        const KeyAssignment* entry = EntryFor(image, profile, index);
        if (entry != nullptr && entry->type != static_cast<uint16_t>(AssignmentType::Default) &&
            !placed[index]) {
            unplaced.push_back(index);
        }
    }
    return unplaced;
}

}  // namespace tessel
