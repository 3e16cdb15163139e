#pragma once
// The macro page of the key-assignment editor: the macro box with the working
// copies of the macros, the action list with its cell editing, the recorder,
// the page's buttons and the macro memory gauge. The editor calls it through
// the public operations only; the page's controls are created and placed by
// the editor with the rest of its template, the gauge by the page.

#include <cstdint>
#include <functional>
#include <optional>

#include "model/MacroRecorder.h"
#include "model/MacroWorkingCopies.h"
#include "platform/qt/KeyCapture.h"
#include "text/LanguageTable.h"

class QComboBox;
class QString;
class QTableWidget;

namespace tessel {

class MacroMemoryBar;
class Tessel_DlgComposite;

class CompositeMacroPage final : private KeyCaptureSink {
public:
    explicit CompositeMacroPage(Tessel_DlgComposite& editor);
    ~CompositeMacroPage() override;

    // Once, when the editor's controls exist: the action list's columns, the
    // gauge and the page's own handlers.
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
    int SelectedPosition() const { return m_copies.Shown(); }
    int Count() const { return m_copies.Count(); }
    // The page's controls are shown only with the page.
    void SetVisible(bool visible);
    // The working copies into the edit store (first step of Apply): ends a
    // cell edit, stops recording, cleans the macro assignments. False, with
    // nothing stored, when the editor was closed during the cell edit's
    // message.
    bool Store();
    void StopRecording();
    bool IsRecording() const { return m_recorder.IsRecording(); }
    // Empties the action list and the macro box, dropping the working copies.
    void Discard();

    const MacroWorkingCopies& WorkingCopies() const { return m_copies; }
    const MacroMemoryBar& Gauge() const { return *m_gauge; }
    // Tests set the recorder's clock.
    void SetClockForTesting(MacroRecorder::Clock clock);

private:
    // The macro box (Tessel_DlgCompositeMacroPage.cpp).
    void FillBox();
    void SelectInBox(int position);
    void OnBoxSelection(int position);
    void OnBoxEdited(const QString& text);
    void OnBoxEntered();
    void OnAdd();
    void OnDelete();
    void ShowShown();
    void EnableMacroControls();

    // The action rows, the recorder and the cells (MacroPageActions.cpp).
    void CreateActionList();
    void ShowRows();
    void ShowRow(int row);
    void SelectRow(int row);
    void OnRowSelected();
    void OnDeleteAction();
    void OnClearActions();
    void OnMove(RowMove move);
    void OnRecord();
    void ShowRecordingState();
    void OnRecordDelayClicked();
    bool Swallows(uint16_t code) const override;
    void OnCapturedKey(const CapturedKey& key) override;
    void OnDelayEdited(int row, const QString& text);
    void OnKeyChosen(int row, int listId);
    void OnDirectionChosen(int row, uint16_t release);
    bool CommitCellEdit();

    // Every change: the editor's Apply and the gauge.
    void Changed();
    void UpdateGauge();
    // The cycle count field into the shown copy, before it is folded.
    void TakeCycleCount();
    std::u16string Localised(TextKeyEntry entry) const;
    // False when the editor closed while the message was shown.
    bool Tell(TextKeyEntry entry, int limit);
    void OnClick(int id, std::function<void()> handler);
    QComboBox* Box() const;
    QTableWidget* List() const;

    Tessel_DlgComposite& m_editor;
    MacroWorkingCopies m_copies;
    MacroRecorder m_recorder;
    KeyCapture m_capture;
    MacroMemoryBar* m_gauge = nullptr;
    bool m_boxBusy = false;
    bool m_listBusy = false;
    // A cell's message is shown from inside the cell's commit: the table keeps
    // its rows, and the cell's editor, until the commit has returned.
    bool m_cellMessageShown = false;
    bool m_rowsToClear = false;
};

}  // namespace tessel
