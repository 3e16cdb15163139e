#pragma once
// Arrow keys between the members of a group of controls. A picture of rows
// (the keyboard) moves left and right in reading order, wrapping from row to
// row, and up and down to the nearest member above or below. A line (the
// profile buttons) moves to the next or previous member, wrapping at the
// ends. Only members that are shown and enabled count. A roving group is one
// stop of the tab chain: the member last focused.

#include <QObject>

#include <vector>

class QWidget;

namespace tessel {

class ArrowFocusGroup : public QObject {
public:
    enum class Shape { Rows, Line };
    ArrowFocusGroup(std::vector<QWidget*> members, Shape shape, bool roving, QObject* parent);

    // The member the arrow key moves to from `from`; nullptr when none.
    QWidget* Target(const QWidget* from, int key) const;
    // The members that count now, in reading order.
    std::vector<QWidget*> Reachable() const;
    // The roving group's tab stop.
    QWidget* Stop() const { return m_stop; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<std::vector<QWidget*>> Rows() const;
    void MakeStop(QWidget* member);
    void KeepStopReachable();

    std::vector<QWidget*> m_members;
    Shape m_shape;
    bool m_roving;
    QWidget* m_stop = nullptr;
};

}  // namespace tessel
