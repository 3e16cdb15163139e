#include "model/MacroWorkingCopies.h"

#include <algorithm>
#include <new>

#include "model/AssignmentEdits.h"
#include "model/MacroList.h"

namespace tessel {

namespace {

constexpr uint16_t kPlayMacro = static_cast<uint16_t>(AssignmentType::PlayMacro);

}  // namespace

void MacroWorkingCopies::Load(const ConfigStore& edit) {
    Discard();
    auto lock = edit.Lock();
    if (!edit.Image()) {
        return;
    }
    copies_ = edit.Macros();
    for (MacroRecord& copy : copies_) {
        copy.fresh = 0;
    }
}

void MacroWorkingCopies::Discard() {
    copies_.clear();
    rows_.Clear();
    shown_ = -1;
    cycleCount_ = 1;
}

int MacroWorkingCopies::PositionOf(uint16_t identifier) const {
    for (int i = 0; i < Count(); ++i) {
        if (copies_[static_cast<std::size_t>(i)].identifier == identifier) {
            return i;
        }
    }
    return -1;
}

void MacroWorkingCopies::FoldRows() {
    if (shown_ < 0 || shown_ >= Count()) {
        return;
    }
    MacroRecord& copy = copies_[static_cast<std::size_t>(shown_)];
    copy.cycleCount = cycleCount_;
    const auto rows = rows_.Rows();
    copy.actionCount = static_cast<uint16_t>(rows.size());
    std::copy(rows.begin(), rows.end(), copy.actions.begin());
}

void MacroWorkingCopies::Show(int position) {
    shown_ = position >= 0 && position < Count() ? position : -1;
    if (shown_ < 0) {
        rows_.Clear();
        return;
    }
    const MacroRecord& copy = copies_[static_cast<std::size_t>(shown_)];
    cycleCount_ = copy.cycleCount;
    rows_.Load(copy.Actions());
}

void MacroWorkingCopies::Select(int position) {
    FoldRows();
    Show(position);
}

bool MacroWorkingCopies::OtherNameBeginsWith(std::u16string_view text, int except) const {
    for (int i = 0; i < Count(); ++i) {
        if (i != except &&
            BeginsWithIgnoringCase(copies_[static_cast<std::size_t>(i)].Name(), text)) {
            return true;
        }
    }
    return false;
}

std::u16string MacroWorkingCopies::NextGeneratedName(std::u16string_view prefix, int except) {
    if (copies_.empty()) {
        counter_ = 0;
    }
    // Each name rules out only the numbers whose text it begins with, so this
    // ends after a few hundred candidates at most.
    std::u16string candidate;
    do {
        candidate = NumberedMacroName(prefix, ++counter_);
    } while (OtherNameBeginsWith(candidate, except));
    return candidate;
}

AddMacroResult MacroWorkingCopies::Add(std::u16string_view prefix) {
    if (Count() >= kMaxMacros) {
        return AddMacroResult::Full;
    }
    const std::u16string name = NextGeneratedName(prefix, -1);
    FoldRows();
    if (!AddNewMacro(copies_, name)) {
        return AddMacroResult::Full;
    }
    Show(Count() - 1);
    return AddMacroResult::Added;
}

std::u16string MacroWorkingCopies::Rename(std::u16string_view typed, std::u16string_view prefix) {
    if (copies_.empty()) {
        const std::u16string name =
            typed.empty() ? NextGeneratedName(prefix, -1) : std::u16string(typed);
        AddNewMacro(copies_, name);
        Show(0);
        return copies_.front().Name();
    }
    if (shown_ < 0) {
        return {};
    }
    const bool generated = typed.empty() || OtherNameBeginsWith(typed, shown_);
    const std::u16string name =
        generated ? NextGeneratedName(prefix, shown_) : std::u16string(typed);
    MacroRecord& copy = copies_[static_cast<std::size_t>(shown_)];
    copy.SetName(name);
    return copy.Name();
}

bool MacroWorkingCopies::DeleteNeedsQuestion(const ConfigStore& edit) const {
    if (shown_ < 0) {
        return false;
    }
    const MacroRecord& copy = copies_[static_cast<std::size_t>(shown_)];
    return copy.fresh == 0 && IsMacroInUse(edit, copy.identifier);
}

void MacroWorkingCopies::DeleteShown() {
    if (shown_ < 0) {
        return;
    }
    const int deleted = shown_;
    copies_.erase(copies_.begin() + deleted);
    shown_ = -1;  // its rows go with it
    Show(std::max(deleted - 1, 0));
}

StoreMacrosResult MacroWorkingCopies::Store(ConfigStore& edit) {
    FoldRows();
    StoreMacrosResult result;
    std::vector<MacroRecord> list;
    try {
        list = copies_;
    } catch (const std::bad_alloc&) {
        return result;  // the store keeps its list and its assignments
    }
    for (MacroRecord& macro : list) {
        macro.fresh = 0;
    }
    auto lock = edit.Lock();
    if (ProfileImage* image = edit.Image()) {
        result.entriesChanged = CleanMacroAssignments(*image, copies_);
        if (result.entriesChanged) {
            edit.Numbering().assignmentsReset = true;
        }
    }
    edit.Macros() = std::move(list);
    // Stored macros are no longer new: deleting one now asks when keys play it.
    for (MacroRecord& copy : copies_) {
        copy.fresh = 0;
    }
    result.stored = true;
    return result;
}

bool CleanMacroAssignments(ProfileImage& image, std::span<const MacroRecord> macros) {
    bool changed = false;
    for (KeyAssignment& entry : image.entries) {
        if (entry.type != kPlayMacro) {
            continue;
        }
        if (entry.value == 0 && !macros.empty()) {
            entry.value = macros.front().identifier;
            changed = true;
            continue;
        }
        const auto owner = std::find_if(macros.begin(), macros.end(), [&](const MacroRecord& m) {
            return m.identifier == entry.value;
        });
        if (owner == macros.end() || owner->fresh == 1) {
            entry.type = static_cast<uint16_t>(AssignmentType::Default);
            changed = true;
        }
    }
    return changed;
}

}  // namespace tessel
