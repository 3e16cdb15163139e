#include "model/KeyPickList.h"

#include "model/KeyTable.h"

namespace tessel {

const std::array<uint16_t, kKeyPickListSize>& KeyPickList() {
    static const std::array<uint16_t, kKeyPickListSize> list = [] {
        std::array<uint16_t, kKeyPickListSize> codes{};
        for (int listId = 0; listId < kKeyPickListSize; ++listId) {
            codes[listId] = KeyCodeOfListId(static_cast<uint16_t>(listId));
        }
        return codes;
    }();
    return list;
}

}  // namespace tessel
