#include "widgets/CBitmapSlider.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "skin/qt/CBaseDialog.h"
#include "skin/qt/SkinAccessibility.h"
#include "widgets/WidgetAccessibility.h"

namespace tessel {

CBitmapSlider::CBitmapSlider(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    InstallWidgetAccessibility();
}

void CBitmapSlider::SetRange(int minimum, int maximum) {
    m_min = std::min(minimum, maximum);
    m_max = std::max(minimum, maximum);
    m_pos = std::clamp(m_pos, m_min, m_max);
}

void CBitmapSlider::SetPos(int position) {
    m_pos = std::clamp(position, m_min, m_max);
    ShowPosition();
}

void CBitmapSlider::ShowPosition() {
    update();
    QAccessibleValueChangeEvent event(this, m_pos);
    QAccessible::updateAccessibility(&event);
}

void CBitmapSlider::SetBitmap(const QPixmap& picture) {
    m_picture = picture;
    if (!picture.isNull()) {
        resize(picture.size());
    }
    update();
}

void CBitmapSlider::paintEvent(QPaintEvent*) {
    if (!m_picture.isNull()) {
        QPainter(this).drawPixmap(0, 0, m_picture);
    }
    if (ShowsFocusMark(*this)) {
        QPainter painter(this);
        DrawFocusMark(painter, *this);
    }
}

int CBitmapSlider::PositionAt(int x) const {
    const int span = m_max - m_min;
    if (span == 0 || width() <= 1) {
        return m_min;
    }
    // The positions sit evenly from the left edge to the right edge.
    const int clampedX = std::clamp(x, 0, width() - 1);
    return m_min + (clampedX * span + (width() - 1) / 2) / (width() - 1);
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        MoveTo(PositionAt(event->position().toPoint().x()));
    }
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        MoveTo(PositionAt(event->position().toPoint().x()));
    }
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Down:
            MoveTo(m_pos - 1);
            break;
        case Qt::Key_Right:
        case Qt::Key_Up:
            MoveTo(m_pos + 1);
            break;
        case Qt::Key_PageUp:
            MoveTo(m_pos - m_pageSize);
            break;
        case Qt::Key_PageDown:
            MoveTo(m_pos + m_pageSize);
            break;
        case Qt::Key_Home:
            MoveTo(m_min);
            break;
        case Qt::Key_End:
            MoveTo(m_max);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

void CBitmapSlider::MoveTo(int position) {
    const int clamped = std::clamp(position, m_min, m_max);
    if (clamped == m_pos) {
        return;
    }
    m_pos = clamped;
    ShowPosition();
    if (auto* dialog = qobject_cast<CBaseDialog*>(window())) {
        dialog->Post({kSliderMovedMessage, static_cast<uintptr_t>(m_id), m_pos});
    }
}

}  // namespace tessel
