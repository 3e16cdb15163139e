#pragma once
// Turns SIGTERM and SIGINT into a call on the Qt thread, so the program ends
// through its normal exit sequence instead of dying mid-write.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace tessel {

class TerminationSignals : public QObject {
public:
    // One instance per process; `onSignal` runs on the thread that created it.
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace tessel
