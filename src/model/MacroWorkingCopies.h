#pragma once
// The macro editor's working copies of the edit store's macros, the one macro
// the action rows show, and the rules for adding, renaming, deleting and
// storing them back. Every change of the shown macro goes through one index, so
// rows are always folded into the macro they were loaded from.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigStore.h"
#include "model/MacroActionRows.h"
#include "model/MacroRecord.h"

namespace tessel {

enum class AddMacroResult { Added, Full };

struct StoreMacrosResult {
    bool stored = false;          // the edit store got the list
    bool entriesChanged = false;  // macro assignments were redirected or reset
};

class MacroWorkingCopies {
public:
    // Copies of the store's macros with their fresh flags 0; nothing shown.
    void Load(const ConfigStore& edit);
    // Drops the copies and the rows.
    void Discard();

    int Count() const { return static_cast<int>(copies_.size()); }
    std::span<const MacroRecord> Copies() const { return copies_; }
    const MacroRecord& Copy(int position) const {
        return copies_.at(static_cast<std::size_t>(position));
    }
    // The position of the macro with that identifier; -1 when none has it.
    int PositionOf(uint16_t identifier) const;

    // The macro the rows belong to; -1 for none.
    int Shown() const { return shown_; }
    MacroActionRows& Rows() { return rows_; }
    const MacroActionRows& Rows() const { return rows_; }
    // The cycle count of the shown macro as its field says (1..255).
    uint8_t CycleCount() const { return cycleCount_; }
    void SetCycleCount(uint8_t count) { cycleCount_ = count; }

    // Folds the rows into the macro shown so far, then shows `position` (-1 or
    // a position outside the copies: none).
    void Select(int position);

    // A new macro with the next free generated name, shown.
    AddMacroResult Add(std::u16string_view prefix);
    // The shown macro takes the typed name, unless it is empty or another
    // name begins with it (case ignored): then a generated one. With no macro,
    // a new one with that name is created and shown. Returns the name given.
    std::u16string Rename(std::u16string_view typed, std::u16string_view prefix);
    // Deleting the shown macro needs the user's word: it is no new macro and
    // some key plays it.
    bool DeleteNeedsQuestion(const ConfigStore& edit) const;
    // Deletes the shown macro (its rows with it) and shows the one before it.
    void DeleteShown();

    // Folds the rows into the shown macro, redirects or resets the type-4
    // entries of all four profiles, and installs the copies as the store's
    // macro list with fresh flags 0, in the copies too.
    StoreMacrosResult Store(ConfigStore& edit);

private:
    // "%s%d" with the next running number that no name begins with, the name
    // at `except` left aside.
    std::u16string NextGeneratedName(std::u16string_view prefix, int except);
    void FoldRows();
    void Show(int position);
    bool OtherNameBeginsWith(std::u16string_view text, int except) const;

    std::vector<MacroRecord> copies_;
    MacroActionRows rows_;
    int shown_ = -1;
    uint8_t cycleCount_ = 1;
    int counter_ = 0;  // running number of generated names
};

// Type-4 entries with value 0 play the first macro; those of a macro that is
// gone, or whose identifier a new macro took, get the default function. True
// when an entry changed.
bool CleanMacroAssignments(ProfileImage& image, std::span<const MacroRecord> macros);

}  // namespace tessel
