#include "editors/Tessel_DlgCompositeMacroPage.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>

#include "editors/Tessel_DlgComposite.h"
#include "model/KeyEditorEntry.h"
#include "model/KeyboardFacts.h"
#include "platform/TickCount.h"
#include "platform/qt/QtText.h"
#include "skin/qt/CPngButton.h"
#include "text/SafeFormat.h"
#include "text/TextLookup.h"
#include "widgets/MacroMemoryBar.h"

namespace tessel {

using namespace composite_ids;

namespace {

// Every control of the page, shown and hidden with it.
constexpr int kPageControls[] = {
    kMacroBox,     kAddMacro,     kDeleteMacro,      kActionList, kRecord,
    kDeleteAction, kClearActions, kMoveTop,          kMoveUp,     kMoveDown,
    kMoveBottom,   kRecordDelay,  kRecordDelayLabel, kCycles,     kCyclesLabel,
};

constexpr int kGaugeHeight = 16;
constexpr int kGaugeGap = 4;

// Enter in the macro box is the page's own: the box would select the macro
// whose name equals the typed text, and the next keystrokes would rename it.
class EnterInBox final : public QObject {
public:
    EnterInBox(std::function<void()> onEnter, QObject* parent)
        : QObject(parent), m_onEnter(std::move(onEnter)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const int key = static_cast<const QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) {
            return false;
        }
        m_onEnter();
        return true;
    }

private:
    std::function<void()> m_onEnter;
};

}  // namespace

CompositeMacroPage::CompositeMacroPage(Tessel_DlgComposite& editor)
    : m_editor(editor), m_recorder(TickCount), m_capture(*this) {}

CompositeMacroPage::~CompositeMacroPage() = default;

void CompositeMacroPage::SetClockForTesting(MacroRecorder::Clock clock) {
    m_recorder = MacroRecorder(std::move(clock));
}

void CompositeMacroPage::OnClick(int id, std::function<void()> handler) {
    QObject::connect(m_editor.Item<QAbstractButton>(id), &QAbstractButton::clicked, &m_editor,
                     [handler = std::move(handler)] { handler(); });
}

QComboBox* CompositeMacroPage::Box() const {
    return m_editor.Item<QComboBox>(kMacroBox);
}

QTableWidget* CompositeMacroPage::List() const {
    return m_editor.Item<QTableWidget>(kActionList);
}

std::u16string CompositeMacroPage::Localised(TextKeyEntry entry) const {
    const KeyEditorServices& services = m_editor.Services();
    return services.languageTable.LocalisedText(entry, services.texts);
}

bool CompositeMacroPage::Tell(TextKeyEntry entry, int limit) {
    return m_editor.Tell(SafeFormat(Localised(entry), {limit, limit}), PromptIcon::Warning);
}

void CompositeMacroPage::Create() {
    QComboBox* box = Box();
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxCount(kMaxMacros);
    // Completing a typed name from the others would rename into a clash.
    box->setCompleter(nullptr);
    auto* enter = new EnterInBox([this] { OnBoxEntered(); }, box);
    box->installEventFilter(enter);
    box->lineEdit()->installEventFilter(enter);
    QObject::connect(box, &QComboBox::currentIndexChanged, &m_editor,
                     [this](int position) { OnBoxSelection(position); });
    QObject::connect(box->lineEdit(), &QLineEdit::textEdited, &m_editor,
                     [this](const QString& text) { OnBoxEdited(text); });
    OnClick(kAddMacro, [this] { OnAdd(); });
    OnClick(kDeleteMacro, [this] { OnDelete(); });

    // The gauge takes the bottom band of the action list's place.
    m_gauge = new MacroMemoryBar(&m_editor);
    QRect list = List()->geometry();
    m_gauge->setGeometry(list.left(), list.bottom() - kGaugeHeight + 1, list.width(), kGaugeHeight);
    list.setHeight(list.height() - kGaugeHeight - kGaugeGap);
    List()->setGeometry(list);
    CreateActionList();
}

void CompositeMacroPage::Load() {
    StopRecording();
    m_copies.Load(m_editor.Services().editStore);
    FillBox();
    ShowRows();
    EnableMacroControls();
    UpdateGauge();
}

void CompositeMacroPage::FillBox() {
    m_boxBusy = true;
    QComboBox* box = Box();
    box->clear();
    for (const MacroRecord& copy : m_copies.Copies()) {
        box->addItem(ToQString(copy.Name()));
    }
    box->setCurrentIndex(m_copies.Shown());
    if (m_copies.Shown() < 0) {
        box->setEditText(QString());
    }
    m_boxBusy = false;
}

void CompositeMacroPage::SelectInBox(int position) {
    m_boxBusy = true;
    Box()->setCurrentIndex(position);
    m_boxBusy = false;
}

void CompositeMacroPage::Show(int position) {
    if (!CommitCellEdit()) {
        return;
    }
    TakeCycleCount();
    m_copies.Select(position);
    SelectInBox(m_copies.Shown());
    ShowShown();
}

// The shown copy's rows and cycle count, and the buttons that need a macro.
void CompositeMacroPage::ShowShown() {
    if (m_copies.Shown() >= 0) {
        m_editor.Item<QLineEdit>(kCycles)->setText(QString::number(m_copies.CycleCount()));
    }
    ShowRows();
    EnableMacroControls();
    UpdateGauge();
}

void CompositeMacroPage::OnBoxSelection(int position) {
    if (m_boxBusy) {
        return;
    }
    Show(position);
    m_editor.MarkModified();
}

void CompositeMacroPage::OnBoxEdited(const QString& text) {
    QLineEdit* field = Box()->lineEdit();
    const int cursor = field->cursorPosition();
    const bool wasEmpty = m_copies.Count() == 0;
    const std::u16string name =
        m_copies.Rename(text.toStdU16String(), Localised(TextKeyEntry::MACRO_NEW_PREFIX));
    m_boxBusy = true;
    if (wasEmpty) {
        FillBox();
    } else if (m_copies.Shown() >= 0) {
        Box()->setItemText(m_copies.Shown(), ToQString(name));
    }
    m_boxBusy = false;
    // The field keeps what the user typed, whatever name the macro got.
    field->setText(text);
    field->setCursorPosition(cursor);
    if (wasEmpty) {
        ShowShown();
    }
    Changed();
}

// Enter keeps the macro being renamed and shows the name it got, a generated
// one when the typed name clashed with another.
void CompositeMacroPage::OnBoxEntered() {
    if (m_copies.Shown() < 0) {
        return;
    }
    QLineEdit* field = Box()->lineEdit();
    field->setText(ToQString(m_copies.Copy(m_copies.Shown()).Name()));
    field->selectAll();
}

void CompositeMacroPage::OnAdd() {
    if (m_copies.Count() >= kMaxMacros) {
        Tell(TextKeyEntry::MACRO_ERR_MAX, kMaxMacros);
        return;
    }
    if (!CommitCellEdit()) {
        return;
    }
    TakeCycleCount();
    if (m_copies.Add(Localised(TextKeyEntry::MACRO_NEW_PREFIX)) != AddMacroResult::Added) {
        Tell(TextKeyEntry::MACRO_ERR_MAX, kMaxMacros);
        return;
    }
    FillBox();
    ShowShown();
    Changed();
}

void CompositeMacroPage::OnDelete() {
    if (m_copies.Shown() < 0 || IsRecording()) {
        return;
    }
    if (!CommitCellEdit()) {
        return;
    }
    if (m_copies.DeleteNeedsQuestion(m_editor.Services().editStore) &&
        m_editor.Ask(Localised(TextKeyEntry::MACRO_DELETE_CONFIRM_OF_KEYS),
                     PromptButtons::YesNoDefaultNo, PromptIcon::Question) != PromptAnswer::Yes) {
        return;
    }
    m_copies.DeleteShown();
    FillBox();
    ShowShown();
    Changed();
}

void CompositeMacroPage::EnableMacroControls() {
    const bool shown = m_copies.Shown() >= 0;
    const bool recording = IsRecording();
    for (int id :
         {kRecord, kDeleteAction, kClearActions, kMoveTop, kMoveUp, kMoveDown, kMoveBottom}) {
        m_editor.GetDlgItem(id)->setEnabled(shown);
    }
    for (int id : {kMacroBox, kAddMacro, kDeleteMacro}) {
        m_editor.GetDlgItem(id)->setEnabled(!recording);
    }
}

int CompositeMacroPage::FindMacro(uint16_t identifier) const {
    return m_copies.PositionOf(identifier);
}

std::optional<uint16_t> CompositeMacroPage::SelectedIdentifier() const {
    if (m_copies.Shown() < 0) {
        return std::nullopt;
    }
    return m_copies.Copy(m_copies.Shown()).identifier;
}

void CompositeMacroPage::SetVisible(bool visible) {
    for (int id : kPageControls) {
        m_editor.GetDlgItem(id)->setVisible(visible);
    }
    m_gauge->setVisible(visible);
}

void CompositeMacroPage::TakeCycleCount() {
    const QString text = m_editor.Item<QLineEdit>(kCycles)->text();
    m_copies.SetCycleCount(static_cast<uint8_t>(CycleCountOf(text.toStdU16String())));
}

bool CompositeMacroPage::Store() {
    if (!CommitCellEdit()) {
        return false;
    }
    StopRecording();
    TakeCycleCount();
    // The editor's Apply enables the main window's Apply after this anyway.
    m_copies.Store(m_editor.Services().editStore);
    return true;
}

void CompositeMacroPage::Discard() {
    StopRecording();
    m_copies.Discard();
    FillBox();
    if (m_cellMessageShown) {
        m_rowsToClear = true;
    } else {
        ShowRows();
    }
    UpdateGauge();
}

void CompositeMacroPage::Changed() {
    m_editor.MarkModified();
    UpdateGauge();
}

void CompositeMacroPage::UpdateGauge() {
    if (m_gauge) {
        m_gauge->SetUse(MeasureMacroMemory(m_copies, m_editor.Services().keyboard.MacroCapacity()));
    }
}

}  // namespace tessel
