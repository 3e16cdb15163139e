#pragma once
// What the user hears about the keyboard's cable: a desktop notification when
// it is pulled and when it is back, and the window opened again on its return
// when the pull closed it.

#include <QObject>
#include <QString>
#include <QTimer>

#include <string_view>
#include <utility>

#include <functional>

namespace tessel {

struct PlugNoticeActions {
    // Shows a desktop notification (the tray icon's); screen readers hear it
    // too, the balloon is easily missed.
    std::function<void(const QString& text)> notify;
    // True once the window counts the keyboard again; it opens only then.
    std::function<bool()> keyboardCounted;
    std::function<void()> reopenWindow;
    // The texts in the user's language.
    std::function<QString(std::u16string_view textKey)> text;
};

class PlugNotices : public QObject {
    Q_OBJECT
public:
    PlugNotices(PlugNoticeActions actions, QObject* parent);

    // The keyboard's worker hides the window as the keyboard goes: whether it
    // was open then.
    void BeforeWorkerHide(bool windowVisible);
    // The tray icon shows whether a keyboard is attached.
    void OnTrayIcon(int previousIcon, int icon);

    // The last notification shown; empty before the first.
    QString LastNotice() const { return m_lastNotice; }

private:
    void Notify(std::u16string_view textKey);
    void ReopenWhenCounted();

    PlugNoticeActions m_actions;
    bool m_visibleAtHide = false;
    bool m_unplugged = false;
    bool m_reopen = false;
    QTimer m_reopenPoll;
    int m_reopenTries = 0;
    QString m_lastNotice;
};

}  // namespace tessel
