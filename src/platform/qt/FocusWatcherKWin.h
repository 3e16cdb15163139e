#pragma once
// The application in front in KDE Plasma's Wayland session: KWin tells no
// other program, so a small KWin script, loaded through KWin's D-Bus scripting
// interface, calls back into this program over D-Bus on every activation. It
// is unloaded when the watcher ends.

#include <QDBusConnection>
#include <QObject>
#include <memory>

#include "platform/FocusWatcher.h"

namespace tessel {

class KWinFocusWatcher final : public QObject, public FocusWatcher {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tessel.FocusWatcher")
public:
    static constexpr const char* kObjectPath = "/FocusWatcher";

    explicit KWinFocusWatcher(QDBusConnection connection);
    ~KWinFocusWatcher() override;

    // Registers the call-back and has KWin load and start the script; false
    // when KWin is not there or refuses.
    bool Load();
    void Watch(FrontChanged changed) override;
    std::vector<std::u16string> OpenApplications() override;
    // The script KWin runs, calling back to `service`.
    static QString Script(const QString& service);

public slots:
    // Called by the script: the window in front and its process.
    Q_SCRIPTABLE void Activated(const QString& application, int pid);
    // Called by the script: the applications with windows open, at start
    // and whenever a window opens or closes.
    Q_SCRIPTABLE void Opened(const QStringList& applications);

private:
    QDBusConnection connection_;
    QString pluginName_;
    QString scriptFile_;
    bool loaded_ = false;
    FrontChanged changed_;
    std::vector<std::u16string> open_;
};

// Nothing when the session has no KWin that loads scripts.
std::unique_ptr<FocusWatcher> CreateKWinFocusWatcher();

}  // namespace tessel
