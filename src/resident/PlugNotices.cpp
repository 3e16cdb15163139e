#include "resident/PlugNotices.h"

#include "device/StatusWindow.h"

namespace tessel {

namespace {

constexpr int kReopenPollMs = 50;
// The count follows the icon within moments; past this the user opens it.
constexpr int kMostReopenTries = 100;

constexpr char16_t kDisconnectedKey[] = u"IDS_TRAY_DISCONNECTED";
constexpr char16_t kConnectedKey[] = u"IDS_TRAY_CONNECTED";

bool ShowsKeyboard(int icon) {
    return icon == kTrayIconKeyboard || icon == kTrayIconBusy;
}

}  // namespace

PlugNotices::PlugNotices(PlugNoticeActions actions, QObject* parent)
    : QObject(parent), m_actions(std::move(actions)) {
    m_reopenPoll.setInterval(kReopenPollMs);
    connect(&m_reopenPoll, &QTimer::timeout, this, [this] { ReopenWhenCounted(); });
}

void PlugNotices::BeforeWorkerHide(bool windowVisible) {
    m_visibleAtHide = windowVisible;
}

void PlugNotices::OnTrayIcon(int previousIcon, int icon) {
    if (icon == kTrayIconNoKeyboard && ShowsKeyboard(previousIcon)) {
        m_unplugged = true;
        m_reopen = std::exchange(m_visibleAtHide, false);
        m_reopenPoll.stop();
        Notify(kDisconnectedKey);
    } else if (ShowsKeyboard(icon) && previousIcon == kTrayIconNoKeyboard && m_unplugged) {
        m_unplugged = false;
        Notify(kConnectedKey);
        if (std::exchange(m_reopen, false)) {
            m_reopenTries = 0;
            m_reopenPoll.start();
        }
    }
}

void PlugNotices::Notify(std::u16string_view textKey) {
    m_lastNotice = m_actions.text(textKey);
    m_actions.notify(m_lastNotice);
}

void PlugNotices::ReopenWhenCounted() {
    if (m_actions.keyboardCounted()) {
        m_reopenPoll.stop();
        m_actions.reopenWindow();
    } else if (++m_reopenTries >= kMostReopenTries) {
        m_reopenPoll.stop();
    }
}

}  // namespace tessel
