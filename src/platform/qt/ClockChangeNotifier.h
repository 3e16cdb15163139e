#pragma once
// The system's clock changes, delivered on the Qt thread that created the
// notifier: a timer descriptor that only a clock change makes readable.

#include <QObject>

#include "platform/ClockChanges.h"
#include "platform/posix/ClockSetTimer.h"

class QSocketNotifier;

namespace tessel {

class ClockChangeNotifier final : public QObject, public ClockChangeSource {
public:
    explicit ClockChangeNotifier(QObject* parent = nullptr);
    ~ClockChangeNotifier() override;

    void Watch(std::function<void()> onChange) override;
    // False when the system offers no clock-change timer.
    bool IsWatching() const { return m_notifier != nullptr; }

private:
    ClockSetTimer m_timer;
    QSocketNotifier* m_notifier = nullptr;
    std::function<void()> m_onChange;
};

}  // namespace tessel
