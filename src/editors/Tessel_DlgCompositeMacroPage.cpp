#include "editors/Tessel_DlgCompositeMacroPage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>

#include "editors/Tessel_DlgComposite.h"
#include "model/ConfigStore.h"
#include "platform/qt/QtText.h"

namespace tessel {

using namespace composite_ids;

namespace {

constexpr int kActionColumns = 3;
constexpr int kActionColumnWidth = 100;

// Every control of the page, shown and hidden with it.
constexpr int kPageControls[] = {
    kMacroBox,   kAddMacro, kDeleteMacro, kActionList,  kRecord,      kDeleteAction,
    kClearActions, kMoveTop, kMoveUp,     kMoveDown,    kMoveBottom,  kRecordDelay,
    kRecordDelayLabel, kCycles, kCyclesLabel,
};

// The buttons that act on the selected macro's actions.
constexpr int kActionButtons[] = {kRecord,  kDeleteAction, kClearActions, kMoveTop,
                                  kMoveUp,  kMoveDown,     kMoveBottom};

}  // namespace

CompositeMacroPage::CompositeMacroPage(Tessel_DlgComposite& editor) : m_editor(editor) {}

void CompositeMacroPage::Create() {
    auto* list = m_editor.Item<QTableWidget>(kActionList);
    list->setColumnCount(kActionColumns);
    for (int i = 0; i < kActionColumns; ++i) {
        list->setColumnWidth(i, kActionColumnWidth);
    }
    auto* box = m_editor.Item<QComboBox>(kMacroBox);
    QObject::connect(box, &QComboBox::currentIndexChanged, &m_editor,
                     [this](int position) { OnBoxSelection(position); });
}

void CompositeMacroPage::Load() {
    {
        ConfigStore& store = m_editor.Services().editStore;
        const auto lock = store.Lock();
        m_copies.clear();
        if (store.Image()) {
            m_copies = store.Macros();
        }
    }
    for (MacroRecord& copy : m_copies) {
        copy.fresh = 0;
    }
    auto* box = m_editor.Item<QComboBox>(kMacroBox);
    m_boxBusy = true;
    box->clear();
    for (const MacroRecord& copy : m_copies) {
        box->addItem(ToQString(copy.Name()));
    }
    box->setCurrentIndex(-1);
    m_boxBusy = false;
    m_selected = -1;
}

void CompositeMacroPage::Show(int position) {
    if (position < 0 || position >= Count()) {
        position = -1;
    }
    auto* box = m_editor.Item<QComboBox>(kMacroBox);
    m_boxBusy = true;
    box->setCurrentIndex(position);
    m_boxBusy = false;
    m_selected = position;
    m_editor.Item<QTableWidget>(kActionList)->setRowCount(0);
    if (position >= 0) {
        m_editor.Item<QLineEdit>(kCycles)->setText(
            QString::number(m_copies[static_cast<std::size_t>(position)].cycleCount));
    }
    for (int id : kActionButtons) {
        m_editor.GetDlgItem(id)->setEnabled(position >= 0);
    }
}

void CompositeMacroPage::OnBoxSelection(int position) {
    if (m_boxBusy) {
        return;
    }
    Show(position);
    m_editor.MarkModified();
}

int CompositeMacroPage::FindMacro(uint16_t identifier) const {
    for (std::size_t i = 0; i < m_copies.size(); ++i) {
        if (m_copies[i].identifier == identifier) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<uint16_t> CompositeMacroPage::SelectedIdentifier() const {
    if (m_selected < 0 || m_selected >= Count()) {
        return std::nullopt;
    }
    return m_copies[static_cast<std::size_t>(m_selected)].identifier;
}

void CompositeMacroPage::SetVisible(bool visible) {
    for (int id : kPageControls) {
        m_editor.GetDlgItem(id)->setVisible(visible);
    }
}

// The working copies are those of the edit store until the page edits them.
void CompositeMacroPage::Store() {
    StopRecording();
}

void CompositeMacroPage::StopRecording() {
    m_recording = false;
}

void CompositeMacroPage::Discard() {
    m_editor.Item<QTableWidget>(kActionList)->setRowCount(0);
    m_boxBusy = true;
    m_editor.Item<QComboBox>(kMacroBox)->clear();
    m_boxBusy = false;
    m_copies.clear();
    m_selected = -1;
}

}  // namespace tessel
