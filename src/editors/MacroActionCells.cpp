#include "editors/MacroActionCells.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>

#include "model/KeyTable.h"

namespace tessel {

namespace {

constexpr int kKeyRowsVisible = 20;
constexpr int kDirectionRowsVisible = 6;
constexpr int kDelayDigits = 30;  // longer numbers still count as above the limit
constexpr char kStartRow[] = "startRow";

// A drop-down list over the cell that opens at once and ends the edit with
// the first choice.
QComboBox* DropDown(QWidget* parent, const QStringList& entries, int rowsVisible,
                    const QStyledItemDelegate* delegate) {
    auto* box = new QComboBox(parent);
    box->addItems(entries);
    box->setMaxVisibleItems(rowsVisible);
    auto* self = const_cast<QStyledItemDelegate*>(delegate);
    QObject::connect(box, &QComboBox::activated, self, [self, box] {
        emit self->commitData(box);
        emit self->closeEditor(box);
    });
    QTimer::singleShot(0, box, [box] { box->showPopup(); });
    return box;
}

}  // namespace

QString DirectionText(uint16_t release) {
    return release == kKeyUp ? QStringLiteral("  \u2191") : QStringLiteral("\u2193");
}

MacroActionCells::MacroActionCells(MacroCellCallbacks callbacks, QObject* parent)
    : QStyledItemDelegate(parent), m_callbacks(std::move(callbacks)) {}

QWidget* MacroActionCells::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    QWidget* editor = nullptr;
    switch (index.column()) {
        case kKeyColumn:
            editor = DropDown(parent, m_callbacks.keyNames(), kKeyRowsVisible, this);
            break;
        case kDirectionColumn:
            editor = DropDown(parent, {DirectionText(kKeyDown), DirectionText(kKeyUp)},
                              kDirectionRowsVisible, this);
            break;
        case kDelayColumn: {
            m_callbacks.delayEditStarts();
            auto* field = new QLineEdit(parent);
            field->setMaxLength(kDelayDigits);
            field->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), field));
            editor = field;
            break;
        }
        default:
            return nullptr;
    }
    // The preselection, to tell a changed choice from a confirmed one.
    editor->setProperty(kStartRow, -1);
    return editor;
}

void MacroActionCells::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const MacroAction action = m_callbacks.action(index.row());
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        const int start = index.column() == kKeyColumn ? ListIdOf(action.keyCode) : action.release;
        box->setCurrentIndex(start < box->count() ? start : -1);
        editor->setProperty(kStartRow, box->currentIndex());
    } else if (auto* field = qobject_cast<QLineEdit*>(editor)) {
        field->setText(QString::number(action.delay));
        field->selectAll();
    }
}

void MacroActionCells::setModelData(QWidget* editor, QAbstractItemModel*,
                                    const QModelIndex& index) const {
    const int row = index.row();
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        const int chosen = box->currentIndex();
        if (chosen < 0 || chosen == editor->property(kStartRow).toInt()) {
            return;
        }
        if (index.column() == kKeyColumn) {
            m_callbacks.keyChosen(row, chosen);
        } else {
            m_callbacks.directionChosen(row, static_cast<uint16_t>(chosen));
        }
    } else if (auto* field = qobject_cast<QLineEdit*>(editor)) {
        m_callbacks.delayEdited(row, field->text());
    }
}

}  // namespace tessel
