#pragma once
// Runs the keyboard transfers a user action starts (apply, import) on a thread
// of their own, one at a time, so the window keeps painting its progress
// animation and answering requests while the frames go out. All frames of one
// transfer form one sequence: the first that gets no answer ends it.

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <thread>

class QEventLoop;

namespace tessel {

class DeviceTransferWorker : public QObject {
public:
    // Runs on the worker thread; touches nothing but the keyboard's link and
    // what it captured.
    using Transfer = std::function<bool()>;
    // Runs on the window's thread with the transfer's result.
    using Finished = std::function<void(bool)>;

    DeviceTransferWorker() = default;
    // Waits for a transfer still running.
    ~DeviceTransferWorker() override;

    // Starts `transfer` unless one runs already: then nothing is started and
    // the result is false, so two transfers never mix their frames.
    bool Start(Transfer transfer, Finished finished);
    bool IsBusy() const { return m_busy; }

    // Returns when no transfer runs. Meanwhile the window paints and answers
    // requests, but user input waits.
    void WaitWithEvents();
    // Returns when no transfer runs, without running events: for the exit,
    // which must not outlast the transfer's last frame. The finished handler
    // of that transfer is dropped.
    void Join();

private:
    void Complete(bool result);

    std::thread m_thread;
    std::atomic<bool> m_busy{false};
    Finished m_finished;
    QPointer<QEventLoop> m_waiting;
};

}  // namespace tessel
