#pragma once
// A keyboard session whose results are handled on the Qt event loop of the
// test's thread, as the window handles them; Settle() waits for both.

#include <QCoreApplication>

#include <atomic>

#include "MainWindowFixture.h"
#include "device/KeyboardSession.h"
#include "model/LightingModel.h"

namespace tessel::testing {

class QueuedKeyboardSession {
public:
    explicit QueuedKeyboardSession(DeviceLink& link)
        : m_session(link, [this](std::function<void()> call) {
              ++m_undelivered;
              QMetaObject::invokeMethod(
                  QCoreApplication::instance(),
                  [this, call = std::move(call)] {
                      call();
                      --m_undelivered;
                  },
                  Qt::QueuedConnection);
          }) {}

    KeyboardSession& Session() { return m_session; }
    operator KeyboardSession&() { return m_session; }

    // Every job asked for has run and its result has been handled.
    bool Settle() {
        return ProcessEventsUntil([&] { return !m_session.IsBusy() && m_undelivered == 0; });
    }
    bool Load(LightingModel& model) {
        bool loaded = false;
        model.LoadLighting([&](bool result) { loaded = result; });
        return Settle() && loaded;
    }

private:
    std::atomic<int> m_undelivered{0};
    KeyboardSession m_session;
};

}  // namespace tessel::testing
