#include "skin/qt/ButtonTooltip.h"

#include <QCursor>
#include <QToolTip>
#include <QWidget>

namespace tessel {

ButtonTooltip::ButtonTooltip(QWidget* tool) : m_tool(tool) {
    m_delay.setSingleShot(true);
    m_delay.setInterval(kAutomaticDelayMs);
    connect(&m_delay, &QTimer::timeout, this, &ButtonTooltip::Show);
}

ButtonTooltip::~ButtonTooltip() {
    if (QToolTip::isVisible() && QToolTip::text() == m_text) {
        QToolTip::hideText();
    }
}

void ButtonTooltip::Activate(bool on) {
    m_active = on;
    if (!on) {
        MouseLeft();
    }
}

void ButtonTooltip::MouseEntered() {
    if (m_active && !m_text.isEmpty()) {
        m_delay.start();
    }
}

void ButtonTooltip::MouseLeft() {
    m_delay.stop();
    if (QToolTip::isVisible() && QToolTip::text() == m_text) {
        QToolTip::hideText();
    }
}

void ButtonTooltip::Show() {
    if (!m_active || !m_tool->isVisible()) {
        return;
    }
    const QPoint at = m_tool->rect().contains(m_tool->mapFromGlobal(QCursor::pos()))
                          ? QCursor::pos()
                          : m_tool->mapToGlobal(m_tool->rect().bottomLeft());
    QToolTip::showText(at, m_text, m_tool, QRect(), kAutoPopMs);
}

}  // namespace tessel
