#include "platform/qt/FocusWatcherKWin.h"

#include <unistd.h>

#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace tessel {

namespace {

const QString kKWinService = QStringLiteral("org.kde.KWin");
const QString kScriptingPath = QStringLiteral("/Scripting");
const QString kScriptingInterface = QStringLiteral("org.kde.kwin.Scripting");

// KWin 5 names the signal clientActivated and the windows clients; KWin 6
// says windowActivated and windows.
const char kScriptTemplate[] = R"(
var service = "%1";
function call(method, argument, pid) {
    callDBus(service, "%2", "org.tessel.FocusWatcher", method, argument, pid);
}
function windows() {
    return workspace.windowList ? workspace.windowList() : workspace.clientList();
}
function opened() {
    var names = [];
    var all = windows();
    for (var i = 0; i < all.length; ++i) {
        if (all[i].normalWindow) names.push(String(all[i].resourceClass));
    }
    callDBus(service, "%2", "org.tessel.FocusWatcher", "Opened", names);
}
function activated(window) {
    if (window) call("Activated", String(window.resourceClass), window.pid);
}
(workspace.windowActivated || workspace.clientActivated).connect(activated);
(workspace.windowAdded || workspace.clientAdded).connect(opened);
(workspace.windowRemoved || workspace.clientRemoved).connect(opened);
opened();
activated(workspace.activeWindow || workspace.activeClient);
)";

}  // namespace

KWinFocusWatcher::KWinFocusWatcher(QDBusConnection connection)
    : connection_(std::move(connection)),
      pluginName_(QStringLiteral("tessel-focus-%1").arg(getpid())) {}

KWinFocusWatcher::~KWinFocusWatcher() {
    if (loaded_) {
        QDBusInterface scripting(kKWinService, kScriptingPath, kScriptingInterface, connection_);
        scripting.call(QStringLiteral("unloadScript"), pluginName_);
    }
    connection_.unregisterObject(QString::fromLatin1(kObjectPath));
    if (!scriptFile_.isEmpty()) {
        QFile::remove(scriptFile_);
    }
}

QString KWinFocusWatcher::Script(const QString& service) {
    return QString::fromLatin1(kScriptTemplate).arg(service, QString::fromLatin1(kObjectPath));
}

bool KWinFocusWatcher::Load() {
    if (!connection_.isConnected() ||
        !connection_.registerObject(QString::fromLatin1(kObjectPath), this,
                                    QDBusConnection::ExportScriptableSlots)) {
        return false;
    }
    // KWin reads the script from a file; ours lives in the runtime folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    scriptFile_ = folder + QLatin1Char('/') + pluginName_ + QStringLiteral(".js");
    QFile file(scriptFile_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(Script(connection_.baseService()).toUtf8()) < 0) {
        return false;
    }
    file.close();
    QDBusInterface scripting(kKWinService, kScriptingPath, kScriptingInterface, connection_);
    const QDBusReply<int> id =
        scripting.call(QStringLiteral("loadScript"), scriptFile_, pluginName_);
    if (!id.isValid() || id.value() < 0) {
        return false;
    }
    loaded_ = true;
    return scripting.call(QStringLiteral("start")).type() != QDBusMessage::ErrorMessage;
}

void KWinFocusWatcher::Watch(FrontChanged changed) {
    changed_ = std::move(changed);
}

std::vector<std::u16string> KWinFocusWatcher::OpenApplications() {
    return open_;
}

void KWinFocusWatcher::Activated(const QString& application, int pid) {
    if (changed_) {
        changed_({application.toStdU16String(), pid});
    }
}

void KWinFocusWatcher::Opened(const QStringList& applications) {
    open_.clear();
    for (const QString& name : applications) {
        const std::u16string text = name.toStdU16String();
        if (!text.empty() && std::find(open_.begin(), open_.end(), text) == open_.end()) {
            open_.push_back(text);
        }
    }
}

std::unique_ptr<FocusWatcher> CreateKWinFocusWatcher() {
    auto watcher = std::make_unique<KWinFocusWatcher>(QDBusConnection::sessionBus());
    if (!watcher->Load()) {
        return nullptr;
    }
    return watcher;
}

}  // namespace tessel
