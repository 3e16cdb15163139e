#pragma once
// Delivers window requests into the thread of the window that owns this
// object, through its message map. Send blocks until the handler has run and
// may be called from any thread; Post returns at once.

#include <QObject>
#include <mutex>

#include "platform/MessageMap.h"

namespace tessel {

class RequestDispatcher : public QObject {
public:
    explicit RequestDispatcher(QObject* parent = nullptr);
    ~RequestDispatcher() override;

    MessageMap& Map() { return m_map; }

    // The handler's result; 0 when no handler takes it or the dispatcher is closed.
    intptr_t Send(const WindowRequest& request);
    void Post(const WindowRequest& request);
    // Refuses further requests and releases every sender still waiting, so no
    // worker touches the window once it is going away. Call on the window's thread.
    void Close();
    bool IsClosed() const;

protected:
    bool event(QEvent* event) override;

private:
    MessageMap m_map;
    mutable std::mutex m_mutex;  // orders Close against requests being queued
    bool m_closed = false;
};

}  // namespace tessel
