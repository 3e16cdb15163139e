#include "mainwindow/MainInputFilter.h"

#include <QKeyEvent>
#include <QWidget>

namespace tessel {

namespace {

bool IsEnterOrEscape(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

bool IsArrow(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
}

}  // namespace

MainInputFilter::MainInputFilter(QWidget& window, const QWidget* effectList)
    : QObject(&window), m_window(window), m_effectList(effectList) {}

void MainInputFilter::Install() {
    m_window.installEventFilter(this);
    for (QWidget* control : m_window.findChildren<QWidget*>()) {
        control->installEventFilter(this);
    }
}

bool MainInputFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (IsEnterOrEscape(key)) {
        return true;
    }
    // A drop-down list also takes the arrows through its popup: both go.
    if (IsArrow(key) && m_effectList &&
        (watched == m_effectList || m_effectList->isAncestorOf(qobject_cast<QWidget*>(watched)))) {
        return true;
    }
    return false;
}

}  // namespace tessel
