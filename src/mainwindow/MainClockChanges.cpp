// A change of the system clock runs Apply, as the time-change message does for
// the main window: edits that wait for Apply reach the keyboard.

#include "app/MainWindowParts.h"
#include "mainwindow/CTesselDlg.h"
#include "platform/qt/ClockChangeNotifier.h"

namespace tessel {

void CTesselDlg::WatchClockChanges() {
    m_clockChanges = m_parts->clockChanges;
    if (m_clockChanges == nullptr) {
        m_systemClockChanges = std::make_unique<ClockChangeNotifier>();
        m_clockChanges = m_systemClockChanges.get();
    }
    m_clockChanges->Watch([this] {
        if (!m_exiting) {
            ApplyChanges();
        }
    });
}

void CTesselDlg::StopWatchingClockChanges() {
    if (m_clockChanges != nullptr) {
        m_clockChanges->Watch({});
        m_clockChanges = nullptr;
    }
}

}  // namespace tessel
