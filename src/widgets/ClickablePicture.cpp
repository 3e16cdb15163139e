#include "widgets/ClickablePicture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/WidgetAccessibility.h"

namespace tessel {

ClickablePicture::ClickablePicture(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::TabFocus);
    InstallWidgetAccessibility();
}

void ClickablePicture::SetChecked(bool checked) {
    if (m_checked != checked) {
        m_checked = checked;
        NotifyCheckedChanged(*this);
    }
}

// Sent, not called: the owner's event filter sees it as it sees a click.
void ClickablePicture::Press() {
    const QPointF centre = QRectF(rect()).center();
    const QPointF global = mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(this, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(this, &release);
}

void ClickablePicture::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (ShowsFocusMark(*this)) {
        QPainter painter(this);
        DrawFocusMark(painter, *this);
    }
}

void ClickablePicture::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        Press();
        return;
    }
    QLabel::keyPressEvent(event);
}

}  // namespace tessel
