#include "model/MacroActionRows.h"

#include <algorithm>
#include <limits>

#include "model/MacroList.h"

namespace tessel {

void MacroActionRows::Load(std::span<const MacroAction> actions) {
    rows_.clear();
    selected_ = -1;
    for (const MacroAction& action : actions) {
        Add(action, {.loaded = true});
    }
}

void MacroActionRows::Clear() {
    rows_.clear();
    selected_ = -1;
}

std::optional<int> MacroActionRows::Add(MacroAction action, AddMode mode) {
    if (Count() >= kMaxMacroActions) {
        return std::nullopt;
    }
    action.release = StoredReleaseFlag(action.release);
    int position = Count();
    if (mode.afterSelection && IsRow(selected_)) {
        position = selected_ + 1;
    }
    if (!mode.loaded) {
        if (position > 0) {
            MacroAction& before = rows_[static_cast<std::size_t>(position - 1)];
            std::swap(before.delay, action.delay);
        } else {
            action.delay = 0;
        }
    }
    rows_.insert(rows_.begin() + position, action);
    if (mode.select) {
        selected_ = position;
    } else if (selected_ >= position) {
        ++selected_;  // the selection stays on its row
    }
    return position;
}

bool MacroActionRows::DeleteSelected() {
    if (!IsRow(selected_)) {
        return false;
    }
    rows_.erase(rows_.begin() + selected_);
    if (selected_ >= Count()) {
        selected_ = Count() - 1;
    }
    return true;
}

bool MacroActionRows::MoveSelected(RowMove move) {
    if (!IsRow(selected_)) {
        return false;
    }
    int target = selected_;
    switch (move) {
        case RowMove::Top:
            target = 0;
            break;
        case RowMove::Up:
            target = std::max(0, selected_ - 1);
            break;
        case RowMove::Down:
            target = std::min(Count() - 1, selected_ + 1);
            break;
        case RowMove::Bottom:
            target = Count() - 1;
            break;
    }
    if (target == selected_) {
        return false;
    }
    const MacroAction moved = rows_[static_cast<std::size_t>(selected_)];
    rows_.erase(rows_.begin() + selected_);
    rows_.insert(rows_.begin() + target, moved);
    selected_ = target;
    return true;
}

void MacroActionRows::SetDelay(int row, uint32_t delay) {
    if (IsRow(row)) {
        rows_[static_cast<std::size_t>(row)].delay = delay;
    }
}

void MacroActionRows::SetKeyCode(int row, uint16_t keyCode) {
    if (IsRow(row)) {
        rows_[static_cast<std::size_t>(row)].keyCode = keyCode;
    }
}

void MacroActionRows::SetRelease(int row, uint16_t release) {
    if (IsRow(row)) {
        rows_[static_cast<std::size_t>(row)].release = StoredReleaseFlag(release);
    }
}

void MacroActionRows::Select(int row) {
    selected_ = IsRow(row) ? row : -1;
}

DelayCellResult ReadDelayCell(std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    constexpr uint32_t kSaturated = std::numeric_limits<uint32_t>::max();
    uint32_t number = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return {};
        }
        const uint32_t digit = static_cast<uint32_t>(c - u'0');
        number = number > (kSaturated - digit) / 10 ? kSaturated : number * 10 + digit;
    }
    const TypedDelay limited = LimitTypedDelay(number);
    return {limited.delay, limited.capped};
}

}  // namespace tessel
