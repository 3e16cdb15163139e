#include "widgets/MacroMemoryBar.h"

#include <QPainter>

#include <algorithm>

#include "platform/qt/QtText.h"

namespace tessel {

namespace {

QString Explanation(const MacroMemoryUse& use) {
    switch (use.state) {
        case MacroMemoryState::Unknown:
            return QStringLiteral(
                "Macro memory: the keyboard's capacity is known once it is "
                "attached.");
        case MacroMemoryState::Fits:
            return QStringLiteral("Macro memory: the macros and their names fit the keyboard.");
        case MacroMemoryState::NamesDropped:
            return QStringLiteral(
                       "Macro memory: the macros fit, but without their names (%1 "
                       "bytes with them).")
                .arg(use.full);
        case MacroMemoryState::TooLong:
            return QStringLiteral(
                       "Macro memory: the macros need %1 bytes, more than the "
                       "keyboard's %2; Apply will not send them.")
                .arg(use.needed)
                .arg(use.capacity);
    }
    return {};
}

}  // namespace

MacroMemoryBar::MacroMemoryBar(QWidget* parent) : QWidget(parent) {
    SetUse({});
}

void MacroMemoryBar::SetUse(const MacroMemoryUse& use) {
    m_use = use;
    setToolTip(Explanation(use));
    update();
}

QColor MacroMemoryBar::FillColour() const {
    switch (m_use.state) {
        case MacroMemoryState::Fits:
            return QColor(0x3C, 0x9D, 0x5A);
        case MacroMemoryState::NamesDropped:
            return QColor(0xE0, 0x9A, 0x1E);
        case MacroMemoryState::TooLong:
            return QColor(0xD0, 0x36, 0x2C);
        case MacroMemoryState::Unknown:
            break;
    }
    return QColor(0x80, 0x80, 0x80);
}

void MacroMemoryBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(frame, QColor(0x20, 0x22, 0x28));
    if (m_use.state != MacroMemoryState::Unknown) {
        const double share = std::min(1.0, m_use.Percent() / 100.0);
        QRect filled = frame.adjusted(1, 1, 0, 0);
        filled.setWidth(static_cast<int>(filled.width() * share));
        painter.fillRect(filled, FillColour());
    }
    painter.setPen(QColor(0x70, 0x74, 0x80));
    painter.drawRect(frame);
    painter.setPen(QColor(0xE4, 0xE4, 0xE4));
    painter.drawText(frame, Qt::AlignCenter, ToQString(MacroMemoryCaption(m_use)));
}

}  // namespace tessel
