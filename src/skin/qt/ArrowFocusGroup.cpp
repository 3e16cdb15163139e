#include "skin/qt/ArrowFocusGroup.h"

#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <limits>

namespace tessel {

namespace {

bool Counts(const QWidget* widget) {
    return widget->isEnabled() && widget->isVisibleTo(widget->window());
}

bool IsArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

}  // namespace

ArrowFocusGroup::ArrowFocusGroup(std::vector<QWidget*> members, Shape shape, bool roving,
                                 QObject* parent)
    : QObject(parent), m_shape(shape), m_roving(roving) {
    for (QWidget* member : members) {
        if (member != nullptr) {
            m_members.push_back(member);
            member->installEventFilter(this);
        }
    }
    if (m_roving) {
        const std::vector<QWidget*> reachable = Reachable();
        MakeStop(reachable.empty() ? nullptr : reachable.front());
    }
}

std::vector<std::vector<QWidget*>> ArrowFocusGroup::Rows() const {
    std::vector<QWidget*> shown;
    std::copy_if(m_members.begin(), m_members.end(), std::back_inserter(shown), Counts);
    std::stable_sort(shown.begin(), shown.end(), [](const QWidget* a, const QWidget* b) {
        return a->geometry().top() < b->geometry().top();
    });
    // A member whose top lies in the upper half of the row's first member
    // shares its row.
    std::vector<std::vector<QWidget*>> rows;
    int rowLimit = 0;
    for (QWidget* member : shown) {
        const QRect rect = member->geometry();
        if (rows.empty() || rect.top() >= rowLimit) {
            rows.emplace_back();
            rowLimit = rect.top() + std::max(1, rect.height() / 2);
        }
        rows.back().push_back(member);
    }
    for (std::vector<QWidget*>& row : rows) {
        std::stable_sort(row.begin(), row.end(), [](const QWidget* a, const QWidget* b) {
            return a->geometry().left() < b->geometry().left();
        });
    }
    return rows;
}

std::vector<QWidget*> ArrowFocusGroup::Reachable() const {
    std::vector<QWidget*> order;
    if (m_shape == Shape::Line) {
        std::copy_if(m_members.begin(), m_members.end(), std::back_inserter(order), Counts);
        return order;
    }
    for (const std::vector<QWidget*>& row : Rows()) {
        order.insert(order.end(), row.begin(), row.end());
    }
    return order;
}

QWidget* ArrowFocusGroup::Target(const QWidget* from, int key) const {
    const std::vector<QWidget*> order = Reachable();
    const auto at = std::find(order.begin(), order.end(), from);
    if (at == order.end() || order.size() < 2) {
        return nullptr;
    }
    const std::size_t index = static_cast<std::size_t>(at - order.begin());
    const bool forward = key == Qt::Key_Right || (m_shape == Shape::Line && key == Qt::Key_Down);
    const bool backward = key == Qt::Key_Left || (m_shape == Shape::Line && key == Qt::Key_Up);
    if (forward) {
        return order[(index + 1) % order.size()];
    }
    if (backward) {
        return order[(index + order.size() - 1) % order.size()];
    }
    // Up and down: the nearest member of the rows above or below, where a
    // step aside counts twice a step up, so the row next to it wins over a
    // key of an odd column (the G keys) that sits nearer in height.
    const bool up = key == Qt::Key_Up;
    const QRect origin = from->geometry();
    QWidget* nearest = nullptr;
    int best = std::numeric_limits<int>::max();
    for (QWidget* member : order) {
        const QRect rect = member->geometry();
        const bool beyond =
            up ? rect.center().y() < origin.top() : rect.center().y() > origin.bottom();
        if (!beyond) {
            continue;
        }
        const int cost = 2 * std::abs(rect.center().x() - origin.center().x()) +
                         std::abs(rect.center().y() - origin.center().y());
        if (cost < best) {
            best = cost;
            nearest = member;
        }
    }
    return nearest;
}

void ArrowFocusGroup::MakeStop(QWidget* member) {
    if (!m_roving) {
        return;
    }
    m_stop = member;
    for (QWidget* each : m_members) {
        each->setFocusPolicy(each == member ? Qt::TabFocus : Qt::NoFocus);
    }
}

// A stop that is hidden or disabled (a flipped F key) would drop the whole
// group out of the tab chain.
void ArrowFocusGroup::KeepStopReachable() {
    if (m_stop != nullptr && Counts(m_stop)) {
        return;
    }
    const std::vector<QWidget*> reachable = Reachable();
    if (!reachable.empty()) {
        MakeStop(reachable.front());
    }
}

bool ArrowFocusGroup::eventFilter(QObject* watched, QEvent* event) {
    auto* member = static_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::FocusIn:
            MakeStop(member);
            break;
        case QEvent::EnabledChange:
        case QEvent::Hide:
            if (m_roving && member == m_stop) {
                KeepStopReachable();
            }
            break;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            const Qt::KeyboardModifiers held =
                key->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
            if (!IsArrow(key->key()) || held != Qt::NoModifier) {
                break;
            }
            if (QWidget* target = Target(member, key->key())) {
                // Counts as keyboard focus: the target shows its focus mark.
                target->setFocus(Qt::TabFocusReason);
            }
            return true;
        }
        default:
            break;
    }
    return false;
}

}  // namespace tessel
