#pragma once
// The macro page of the key-assignment editor: the macro box with the working
// copies of the macros, the action list, the recorder and the page's buttons.
// The editor calls it through these operations only; the page's controls are
// created and placed by the editor with the rest of its template.

#include <cstdint>
#include <optional>
#include <vector>

#include "model/MacroRecord.h"

namespace tessel {

class Tessel_DlgComposite;

class CompositeMacroPage {
public:
    explicit CompositeMacroPage(Tessel_DlgComposite& editor);

    // Once, when the editor's controls exist: the action list's columns and
    // the page's own handlers.
    void Create();
    // Working copies of the edit store's macros into the macro box, none
    // selected.
    void Load();
    // Selects position `position` of the macro box (nothing when it is out of
    // range, e.g. an empty box) and shows that macro.
    void Show(int position);
    // The position of the macro with that identifier; -1 when none has it.
    int FindMacro(uint16_t identifier) const;
    // The identifier of the selected macro; nothing when none is selected.
    std::optional<uint16_t> SelectedIdentifier() const;
    int SelectedPosition() const { return m_selected; }
    int Count() const { return static_cast<int>(m_copies.size()); }
    // The page's controls are shown only with the page.
    void SetVisible(bool visible);
    // The working copies into the edit store (first step of Apply).
    void Store();
    void StopRecording();
    bool IsRecording() const { return m_recording; }
    // Empties the action list and the macro box, dropping the working copies.
    void Discard();

private:
    void OnBoxSelection(int position);

    Tessel_DlgComposite& m_editor;
    std::vector<MacroRecord> m_copies;
    int m_selected = -1;
    bool m_recording = false;
    bool m_boxBusy = false;
};

}  // namespace tessel
