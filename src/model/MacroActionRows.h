#pragma once
// The action rows of the macro shown in the macro editor: what the action list
// displays, with the selection and the editing rules of its rows. The rows are
// folded into the macro's working copy when another macro is shown or the list
// is stored.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "model/MacroRecord.h"

namespace tessel {

enum class RowMove { Top, Up, Down, Bottom };

class MacroActionRows {
public:
    // How a row goes in. A loaded row keeps its own delay; any other row takes
    // over the delay of the row before it, which gets the new action's delay
    // (the delay of a row is the time until the next one).
    struct AddMode {
        bool loaded = false;
        bool afterSelection = false;
        bool select = false;
    };

    // Replaces the rows with a macro's actions; nothing selected.
    void Load(std::span<const MacroAction> actions);
    void Clear();

    // The position of the new row; nothing when the list already holds 2000.
    std::optional<int> Add(MacroAction action, AddMode mode);

    // Deletes the selected row and selects the one after it, or the one before
    // when it was the last. False when nothing is selected.
    bool DeleteSelected();
    // Moves the selected row, which stays selected; each action keeps its own
    // delay. False when nothing moved.
    bool MoveSelected(RowMove move);

    void SetDelay(int row, uint32_t delay);
    void SetKeyCode(int row, uint16_t keyCode);
    void SetRelease(int row, uint16_t release);

    // -1 selects nothing; a position outside the rows selects nothing.
    void Select(int row);
    int Selected() const { return selected_; }

    int Count() const { return static_cast<int>(rows_.size()); }
    bool IsEmpty() const { return rows_.empty(); }
    const MacroAction& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    std::span<const MacroAction> Rows() const { return rows_; }

private:
    bool IsRow(int row) const { return row >= 0 && row < Count(); }

    std::vector<MacroAction> rows_;
    int selected_ = -1;
};

// What ending the edit of a delay cell does.
struct DelayCellResult {
    std::optional<uint32_t> delay;  // nothing: the cell and the action keep their value
    bool capped = false;            // the typed number was above 40000
};
// Digits only (the cell accepts nothing else); a number too long for any
// integer saturates and so counts as above 40000.
DelayCellResult ReadDelayCell(std::u16string_view text);

}  // namespace tessel
