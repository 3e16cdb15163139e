// The action list of the macro page: its rows, the buttons that change them,
// the recorder and the in-place editing of the cells.

#include <QAbstractButton>
#include <QCheckBox>
#include <QHeaderView>
#include <QTableWidget>
#include <utility>

#include "editors/MacroActionCells.h"
#include "editors/Tessel_DlgComposite.h"
#include "editors/Tessel_DlgCompositeMacroPage.h"
#include "model/AssignmentLists.h"
#include "model/KeyNames.h"
#include "model/KeyPickList.h"
#include "model/KeyTable.h"
#include "model/MacroList.h"
#include "platform/qt/QtText.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinAccessibility.h"
#include "storage/ProfileSettings.h"
#include "text/TextLookup.h"

namespace tessel {

using namespace composite_ids;

namespace {

constexpr int kColumnWidth = 100;

constexpr const char16_t* kColumnHeadings[] = {
    u"IDS_MACRO_MACRO_ACTION_COLUME_KEYS",
    u"IDS_MACRO_MACRO_ACTION_COLUME_ACTION",
    u"IDS_MACRO_MACRO_ACTION_COLUME_DELAY",
};

}  // namespace

void CompositeMacroPage::CreateActionList() {
    QTableWidget* list = List();
    list->setColumnCount(3);
    for (int column = 0; column < 3; ++column) {
        list->setColumnWidth(column, kColumnWidth);
    }
    list->verticalHeader()->hide();
    list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list->setShowGrid(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // A click on the selected cell, a double-click or F2 edits a cell; Enter
    // stores the edit, Escape leaves it.
    list->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked |
                          QAbstractItemView::EditKeyPressed);

    MacroCellCallbacks cells;
    cells.action = [this](int row) {
        const MacroActionRows& rows = m_copies.Rows();
        return row >= 0 && row < rows.Count() ? rows.Row(row) : MacroAction{};
    };
    cells.keyNames = [this] {
        QStringList names;
        for (int id = 0; id < kKeyPickListSize; ++id) {
            names << ToQString(
                KeyNameOfListId(static_cast<uint16_t>(id), m_editor.Services().texts));
        }
        return names;
    };
    cells.delayEditStarts = [this] { StopRecording(); };
    cells.delayEdited = [this](int row, const QString& text) { OnDelayEdited(row, text); };
    cells.keyChosen = [this](int row, int listId) { OnKeyChosen(row, listId); };
    cells.directionChosen = [this](int row, uint16_t release) { OnDirectionChosen(row, release); };
    list->setItemDelegate(new MacroActionCells(std::move(cells), list));

    QObject::connect(list, &QTableWidget::itemSelectionChanged, &m_editor,
                     [this] { OnRowSelected(); });
    OnClick(kRecord, [this] { OnRecord(); });
    OnClick(kDeleteAction, [this] { OnDeleteAction(); });
    OnClick(kClearActions, [this] { OnClearActions(); });
    OnClick(kMoveTop, [this] { OnMove(RowMove::Top); });
    OnClick(kMoveUp, [this] { OnMove(RowMove::Up); });
    OnClick(kMoveDown, [this] { OnMove(RowMove::Down); });
    OnClick(kMoveBottom, [this] { OnMove(RowMove::Bottom); });
    OnClick(kRecordDelay, [this] { OnRecordDelayClicked(); });
}

void CompositeMacroPage::ShowRows() {
    QTableWidget* list = List();
    QStringList headings;
    for (const char16_t* heading : kColumnHeadings) {
        headings << ToQString(m_editor.Services().texts.LocalText(heading));
    }
    m_listBusy = true;
    list->setHorizontalHeaderLabels(headings);
    list->setRowCount(m_copies.Rows().Count());
    for (int row = 0; row < m_copies.Rows().Count(); ++row) {
        ShowRow(row);
    }
    list->clearSelection();
    m_listBusy = false;
    SelectRow(m_copies.Rows().Selected());
}

void CompositeMacroPage::ShowRow(int row) {
    if (row < 0 || row >= m_copies.Rows().Count()) {
        return;
    }
    const KeyEditorServices& services = m_editor.Services();
    const MacroAction& action = m_copies.Rows().Row(row);
    const QColor grey = List()->palette().color(QPalette::Disabled, QPalette::Text);
    const QString texts[] = {
        ToQString(KeyNameOf(action.keyCode, services.texts, services.languageTable)),
        DirectionText(action.release),
        QString::number(action.delay),
    };
    for (int column = 0; column < 3; ++column) {
        QTableWidgetItem* item = List()->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            List()->setItem(row, column, item);
        }
        item->setText(texts[column]);
        if (column != kDelayColumn) {
            item->setForeground(grey);
        }
    }
}

void CompositeMacroPage::SelectRow(int row) {
    m_copies.Rows().Select(row);
    QTableWidget* list = List();
    m_listBusy = true;
    if (m_copies.Rows().Selected() < 0) {
        list->clearSelection();
    } else {
        list->selectRow(row);
        list->setCurrentCell(row, list->currentColumn() < 0 ? 0 : list->currentColumn());
        list->scrollToItem(list->item(row, 0));
    }
    m_listBusy = false;
}

void CompositeMacroPage::OnRowSelected() {
    if (m_listBusy) {
        return;
    }
    const QList<QTableWidgetItem*> selected = List()->selectedItems();
    m_copies.Rows().Select(selected.isEmpty() ? -1 : selected.front()->row());
}

void CompositeMacroPage::OnDeleteAction() {
    if (!CommitCellEdit()) {
        return;
    }
    if (m_copies.Rows().DeleteSelected()) {
        ShowRows();
        Changed();
    }
}

void CompositeMacroPage::OnClearActions() {
    if (!CommitCellEdit()) {
        return;
    }
    if (m_copies.Rows().IsEmpty() ||
        m_editor.Ask(Localised(TextKeyEntry::MACRO_ACTION_CLEAR_CONFIRM),
                     PromptButtons::YesNoDefaultNo, PromptIcon::Question) != PromptAnswer::Yes) {
        return;
    }
    m_copies.Rows().Clear();
    ShowRows();
    Changed();
}

void CompositeMacroPage::OnMove(RowMove move) {
    if (!CommitCellEdit()) {
        return;
    }
    if (m_copies.Rows().MoveSelected(move)) {
        ShowRows();
        Changed();
    }
    List()->setFocus();
}

namespace {

void AnnounceRecording(Tessel_DlgComposite& editor, std::u16string_view textKey) {
    Announce(editor, ToQString(editor.Services().texts.LocalText(textKey)));
}

}  // namespace

void CompositeMacroPage::OnRecord() {
    if (IsRecording()) {
        StopRecording();
        return;
    }
    if (m_copies.Shown() < 0) {
        return;
    }
    if (!CommitCellEdit()) {
        return;
    }
    m_recorder.SetRecordDelays(m_editor.Item<QCheckBox>(kRecordDelay)->isChecked());
    m_recorder.Start();
    m_capture.Install(m_editor);
    ShowRecordingState();
    AnnounceRecording(m_editor, u"IDS_A11Y_RECORDING_STARTED");
}

void CompositeMacroPage::StopRecording() {
    if (!IsRecording()) {
        return;
    }
    m_recorder.Stop();
    m_capture.Remove();
    ShowRecordingState();
    AnnounceRecording(m_editor, u"IDS_A11Y_RECORDING_STOPPED");
}

void CompositeMacroPage::ShowRecordingState() {
    const bool recording = IsRecording();
    auto* button = m_editor.Item<CPngButton>(kRecord);
    button->setText(ToQString(Localised(recording ? TextKeyEntry::MACRO_ACTION_STOP_RECORD
                                                  : TextKeyEntry::MACRO_ACTION_RECORD)));
    button->SetChecked(recording);
    EnableMacroControls();
}

void CompositeMacroPage::OnRecordDelayClicked() {
    const KeyEditorServices& services = m_editor.Services();
    const bool record = m_editor.Item<QCheckBox>(kRecordDelay)->isChecked();
    services.settings.WriteRecordDelay(record);
    m_recorder.SetRecordDelays(record);
}

bool CompositeMacroPage::Swallows(uint16_t code) const {
    return IsRecording() && code != 0 && !IsMultimediaKeyCode(code);
}

void CompositeMacroPage::OnCapturedKey(const CapturedKey& key) {
    const RecorderDecision decision = m_recorder.OnKey({key.code, key.release, key.repeat});
    bool added = false;
    for (const MacroAction& action : decision.actions) {
        const std::optional<int> row =
            m_copies.Rows().Add(action, {.afterSelection = true, .select = true});
        if (!row) {
            break;  // 2000 actions: the rest is dropped without a word
        }
        added = true;
        m_listBusy = true;
        List()->insertRow(*row);
        ShowRow(*row);
        if (*row > 0) {
            ShowRow(*row - 1);  // it took the new action's delay
        }
        m_listBusy = false;
        SelectRow(*row);
    }
    if (added) {
        Changed();
    }
}

void CompositeMacroPage::OnDelayEdited(int row, const QString& text) {
    const DelayCellResult result = ReadDelayCell(text.toStdU16String());
    if (!result.delay) {
        return;
    }
    // The editor may be closed while the message is shown (unplug, exit):
    // then the row is gone with the rest of its working copy, and the table's
    // rows go once the message has returned.
    if (result.capped) {
        m_cellMessageShown = true;
        const bool stillOpen =
            Tell(TextKeyEntry::MACRO_ACTION_ERR_DELAY_MAX, static_cast<int>(kMaxTypedDelay));
        m_cellMessageShown = false;
        if (std::exchange(m_rowsToClear, false)) {
            ShowRows();
        }
        if (!stillOpen) {
            return;
        }
    }
    m_copies.Rows().SetDelay(row, *result.delay);
    ShowRow(row);
    Changed();
}

void CompositeMacroPage::OnKeyChosen(int row, int listId) {
    if (listId < 0 || listId >= kKeyPickListSize) {
        return;
    }
    m_copies.Rows().SetKeyCode(row, KeyCodeOfListId(static_cast<uint16_t>(listId)));
    ShowRow(row);
    Changed();
}

void CompositeMacroPage::OnDirectionChosen(int row, uint16_t release) {
    m_copies.Rows().SetRelease(row, release);
    ShowRow(row);
    Changed();
}

// An open cell editor commits what it holds before the rows change under it.
// Its message may outlive the editor: then the rows are gone and the caller
// must stop.
bool CompositeMacroPage::CommitCellEdit() {
    QTableWidget* list = List();
    QWidget* cell = list->indexWidget(list->currentIndex());
    if (!cell) {
        return true;
    }
    const unsigned opening = m_editor.Opening();
    emit list->itemDelegate()->commitData(cell);
    if (!m_editor.IsStillOpen(opening)) {
        return false;
    }
    emit list->itemDelegate()->closeEditor(cell);
    return true;
}

}  // namespace tessel
