#include "platform/qt/RequestDispatcher.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <condition_variable>
#include <memory>

namespace tessel {

namespace {

const QEvent::Type kRequestEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// What a blocked sender waits for: the handler's result, or 0 when the
// request is dropped unhandled.
struct PendingReply {
    std::mutex mutex;
    std::condition_variable done;
    bool answered = false;
    intptr_t result = 0;

    void Answer(intptr_t value) {
        {
            std::lock_guard lock(mutex);
            if (answered) {
                return;
            }
            answered = true;
            result = value;
        }
        done.notify_all();
    }
    intptr_t Wait() {
        std::unique_lock lock(mutex);
        done.wait(lock, [this] { return answered; });
        return result;
    }
};

class RequestEvent : public QEvent {
public:
    RequestEvent(const WindowRequest& request, std::shared_ptr<PendingReply> reply)
        : QEvent(kRequestEvent), m_request(request), m_reply(std::move(reply)) {}
    // Qt deletes undelivered events of a closed or destroyed receiver: the
    // sender must not wait for them forever.
    ~RequestEvent() override {
        if (m_reply) {
            m_reply->Answer(0);
        }
    }
    const WindowRequest& Request() const { return m_request; }
    void Answer(intptr_t result) {
        if (m_reply) {
            m_reply->Answer(result);
        }
    }

private:
    WindowRequest m_request;
    std::shared_ptr<PendingReply> m_reply;
};

}  // namespace

RequestDispatcher::RequestDispatcher(QObject* parent) : QObject(parent) {}

RequestDispatcher::~RequestDispatcher() {
    Close();
}

intptr_t RequestDispatcher::Send(const WindowRequest& request) {
    if (QThread::currentThread() == thread()) {
        return IsClosed() ? 0 : m_map.Dispatch(request);
    }
    auto reply = std::make_shared<PendingReply>();
    {
        std::lock_guard lock(m_mutex);
        if (m_closed) {
            return 0;
        }
        QCoreApplication::postEvent(this, new RequestEvent(request, reply));
    }
    return reply->Wait();
}

void RequestDispatcher::Post(const WindowRequest& request) {
    std::lock_guard lock(m_mutex);
    if (!m_closed) {
        QCoreApplication::postEvent(this, new RequestEvent(request, nullptr));
    }
}

void RequestDispatcher::Close() {
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    QCoreApplication::removePostedEvents(this, kRequestEvent);
}

bool RequestDispatcher::IsClosed() const {
    std::lock_guard lock(m_mutex);
    return m_closed;
}

bool RequestDispatcher::event(QEvent* event) {
    if (event->type() != kRequestEvent) {
        return QObject::event(event);
    }
    auto* request = static_cast<RequestEvent*>(event);
    request->Answer(IsClosed() ? 0 : m_map.Dispatch(request->Request()));
    return true;
}

}  // namespace tessel
