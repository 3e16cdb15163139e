// The KWin focus watcher's half of the conversation, on a private D-Bus with
// a stand-in for KWin's scripting interface: the script is loaded and
// started, its call-backs reach the watcher, and it is unloaded at the end.
// Skipped where no dbus-daemon can be started.

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QThread>
#include <cstdio>

#include "MainWindowFixture.h"
#include "platform/qt/FocusWatcherKWin.h"
#include "support/ReportingProcess.h"

namespace tessel::testing {
namespace {

// Answers as KWin's /Scripting object does.
class FakeScripting : public QDBusVirtualObject {
public:
    QString script;
    QString plugin;
    int starts = 0;
    QStringList unloaded;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const QList<QVariant> arguments = message.arguments();
        QList<QVariant> reply;
        if (message.member() == QStringLiteral("loadScript") && arguments.size() == 2) {
            QFile in(arguments[0].toString());
            in.open(QIODevice::ReadOnly);
            script = QString::fromUtf8(in.readAll());
            plugin = arguments[1].toString();
            reply << 7;
        } else if (message.member() == QStringLiteral("start")) {
            ++starts;
        } else if (message.member() == QStringLiteral("unloadScript") && arguments.size() == 1) {
            unloaded << arguments[0].toString();
            reply << true;
        } else {
            return false;
        }
        connection.send(message.createReply(reply));
        return true;
    }
};

class KWinWatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string address;
        m_daemon = StartReporting({"dbus-daemon", "--session", "--nofork", "--print-address={fd}"},
                                  {}, &address);
        if (address.empty()) {
            GTEST_SKIP() << "no dbus-daemon";
        }
        m_address = QString::fromStdString(address);
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("kwin"));
        QDBusConnection::disconnectFromBus(QStringLiteral("program"));
        EndReporting(m_daemon);
    }
    QDBusConnection Connect(const QString& name) {
        return QDBusConnection::connectToBus(m_address, name);
    }

    pid_t m_daemon = -1;
    QString m_address;
};

TEST_F(KWinWatcherTest, TheScriptIsStartedItsCallsArriveAndItIsUnloaded) {
    QDBusConnection kwin = Connect(QStringLiteral("kwin"));
    ASSERT_TRUE(kwin.isConnected());
    // On a thread of its own, as KWin is a process of its own: the watcher's
    // calls wait for its answers.
    QThread kwinThread;
    FakeScripting scripting;
    scripting.moveToThread(&kwinThread);
    kwinThread.start();
    ASSERT_TRUE(kwin.registerService(QStringLiteral("org.kde.KWin")));
    ASSERT_TRUE(kwin.registerVirtualObject(QStringLiteral("/Scripting"), &scripting));

    QDBusConnection program = Connect(QStringLiteral("program"));
    std::vector<FocusedWindow> reported;
    QString plugin;
    {
        KWinFocusWatcher watcher(program);
        ASSERT_TRUE(watcher.Load());
        EXPECT_EQ(scripting.starts, 1);
        plugin = scripting.plugin;
        // The script calls back the program's own connection.
        EXPECT_TRUE(scripting.script.contains(program.baseService()));
        EXPECT_TRUE(scripting.script.contains(QStringLiteral("clientActivated")));
        watcher.Watch([&](const FocusedWindow& window) { reported.push_back(window); });

        // As KWin's callDBus does.
        const auto call = [&](const QString& method, const QList<QVariant>& arguments) {
            QDBusMessage message = QDBusMessage::createMethodCall(
                program.baseService(), QString::fromLatin1(KWinFocusWatcher::kObjectPath),
                QStringLiteral("org.tessel.FocusWatcher"), method);
            message.setArguments(arguments);
            return kwin.call(message, QDBus::BlockWithGui).type() == QDBusMessage::ReplyMessage;
        };
        EXPECT_TRUE(call(QStringLiteral("Opened"),
                         {QStringList{QStringLiteral("kate"), QStringLiteral("firefox"),
                                      QStringLiteral("kate")}}));
        EXPECT_TRUE(call(QStringLiteral("Activated"), {QStringLiteral("firefox"), 4242}));
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_EQ(reported[0].application, u"firefox");
        EXPECT_EQ(reported[0].pid, 4242);
        EXPECT_EQ(watcher.OpenApplications(), (std::vector<std::u16string>{u"kate", u"firefox"}));
    }
    EXPECT_EQ(scripting.unloaded, QStringList{plugin});
    kwinThread.quit();
    kwinThread.wait();
}

}  // namespace
}  // namespace tessel::testing
