#pragma once
// In-place editing of the action list's cells: the key from the key pick list,
// the direction from its two arrows, the delay as digits. The delegate only
// offers the editors; what a finished edit does is the macro page's decision,
// reached through the callbacks.

#include <QStringList>
#include <QStyledItemDelegate>

#include <functional>

#include "model/MacroRecord.h"

namespace tessel {

enum ActionColumn { kKeyColumn = 0, kDirectionColumn = 1, kDelayColumn = 2 };

// The direction column's texts for key down and key up.
QString DirectionText(uint16_t release);

struct MacroCellCallbacks {
    std::function<MacroAction(int row)> action;
    std::function<QStringList()> keyNames;  // the key pick list, by list id
    std::function<void()> delayEditStarts;
    std::function<void(int row, const QString& text)> delayEdited;
    std::function<void(int row, int listId)> keyChosen;
    std::function<void(int row, uint16_t release)> directionChosen;
};

class MacroActionCells : public QStyledItemDelegate {
public:
    MacroActionCells(MacroCellCallbacks callbacks, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    MacroCellCallbacks m_callbacks;
};

}  // namespace tessel
