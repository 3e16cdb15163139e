#include "mainwindow/DeviceTransferWorker.h"

#include <QEventLoop>

#include "device/CommandTransport.h"

namespace tessel {

DeviceTransferWorker::~DeviceTransferWorker() {
    Join();
}

bool DeviceTransferWorker::Start(Transfer transfer, Finished finished) {
    if (m_busy) {
        return false;
    }
    m_busy = true;
    m_finished = std::move(finished);
    m_thread = std::thread([this, transfer = std::move(transfer)] {
        bool result = false;
        {
            TransferSequence sequence;
            result = transfer();
        }
        QMetaObject::invokeMethod(this, [this, result] { Complete(result); },
                                  Qt::QueuedConnection);
    });
    return true;
}

void DeviceTransferWorker::Complete(bool result) {
    if (!m_busy) {
        return;  // joined by the exit: its handler was dropped
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_busy = false;
    Finished finished = std::move(m_finished);
    m_finished = nullptr;
    if (finished) {
        finished(result);
    }
    if (m_waiting) {
        m_waiting->quit();
    }
}

void DeviceTransferWorker::WaitWithEvents() {
    if (!m_busy) {
        return;
    }
    QEventLoop loop;
    m_waiting = &loop;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_waiting = nullptr;
}

void DeviceTransferWorker::Join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_busy = false;
    m_finished = nullptr;
    if (m_waiting) {
        m_waiting->quit();
    }
}

}  // namespace tessel
