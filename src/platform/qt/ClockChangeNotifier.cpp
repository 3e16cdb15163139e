#include "platform/qt/ClockChangeNotifier.h"

#include <QSocketNotifier>

namespace tessel {

ClockChangeNotifier::ClockChangeNotifier(QObject* parent) : QObject(parent) {
    if (m_timer.Fd() < 0) {
        return;
    }
    m_notifier = new QSocketNotifier(m_timer.Fd(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        if (m_timer.ConsumeClockSet() && m_onChange) {
            m_onChange();
        }
    });
}

ClockChangeNotifier::~ClockChangeNotifier() {
    delete m_notifier;
}

void ClockChangeNotifier::Watch(std::function<void()> onChange) {
    m_onChange = std::move(onChange);
}

}  // namespace tessel
