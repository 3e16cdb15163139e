// The first life cycle of the main window: hidden start with a tray menu,
// requests from other threads and processes, and the exit sequence.

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <future>
#include <thread>

#include "app/AppIdentity.h"
#include "app_FakeInstanceServices.h"
#include "mainwindow/CTesselDlg.h"
#include "model/ProfileImage.h"
#include "platform/RequestEndpoint.h"
#include "resident/ResidentCore.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;

// Runs the window's event loop until `done` holds or a generous bound passes.
bool ProcessEventsUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

template <typename T>
T AwaitWithEvents(std::future<T>& result) {
    ProcessEventsUntil([&] { return result.wait_for(0ms) == std::future_status::ready; });
    return result.get();
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessel-app-XXXXXX").string();
        m_runtime = mkdtemp(pattern.data());
        setenv("XDG_RUNTIME_DIR", m_runtime.c_str(), 1);
    }
    void TearDown() override {
        m_core.reset();
        std::error_code error;
        std::filesystem::remove_all(m_runtime, error);
    }

    CTesselDlg& StartWindow(std::vector<std::string> arguments = {}) {
        // As the program does before the application exists.
        EXPECT_FALSE(ClaimSingleInstance(arguments, m_services).handedOver);
        m_context = std::make_unique<AppContext>(
            AppContext{m_paths, m_services, std::move(arguments), m_editStore, m_applyStore});
        m_core = std::make_unique<ResidentCore>(*m_context);
        m_core->Start();
        CTesselDlg& window = m_core->Window();
        EXPECT_TRUE(ProcessEventsUntil([&] { return m_core->IsInitialised(); }));
        return window;
    }
    intptr_t SendFromWorker(const WindowRequest& request) {
        auto result =
            std::async(std::launch::async, [&] { return m_core->Requests().Send(request); });
        return AwaitWithEvents(result);
    }

    std::filesystem::path m_runtime;
    ProgramPaths m_paths = ProgramPaths::FromModuleFileName("/opt/tessel/tessel");
    testing::FakeInstanceServices m_services;
    ConfigStore m_editStore;
    ConfigStore m_applyStore;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<ResidentCore> m_core;
};

TEST_F(MainWindowTest, StartsHiddenInTheTrayWithOpenAboutExit) {
    CTesselDlg& window = StartWindow({"/Start"});
    EXPECT_TRUE(window.Core().FirstShowFlag());
    EXPECT_FALSE(window.isVisible());
    ASSERT_NE(window.Core().TrayIcon(), nullptr);
    ASSERT_NE(window.Core().TrayMenu(), nullptr);
    const QList<QAction*> items = window.Core().TrayMenu()->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), "Open(&O)");
    EXPECT_EQ(items[1]->text(), "About(&A)");
    EXPECT_EQ(items[3]->text(), "Exit(&X)");
    EXPECT_EQ(window.Core().TrayMenu()->defaultAction(), items[0]);
    EXPECT_EQ(m_services.agentStarts, 1);

    emit window.Core().TrayIcon()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, OpenFromAnotherThreadShowsTheWindowBeforeTheSenderGoesOn) {
    CTesselDlg& window = StartWindow();
    EXPECT_FALSE(window.Core().FirstShowFlag());
    EXPECT_EQ(SendFromWorker(WindowRequest{kOpenMessage, 0x1234, 0}), 0);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(SendFromWorker(WindowRequest{kOpenMessage, kOpenTag, 0}), 1);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, AnotherProcessReachesTheMarkedWindow) {
    CTesselDlg& window = StartWindow();
    auto delivered = std::async(std::launch::async, [] {
        return DeliverRequest(kInstanceName, getpid(), kMainMarker,
                              WindowRequest{kOpenMessage, kOpenTag, 0}, 10s);
    });
    EXPECT_EQ(AwaitWithEvents(delivered), 1);
    EXPECT_TRUE(ProcessEventsUntil([&] { return window.isVisible(); }));

    // Another marker is not this window.
    auto stranger = std::async(std::launch::async, [] {
        return DeliverRequest(kInstanceName, getpid(), 0x4D41494F,
                              WindowRequest{kKillMessage, kKillTag, 0}, 2s);
    });
    EXPECT_EQ(AwaitWithEvents(stranger), std::nullopt);
    EXPECT_EQ(m_services.mutexCloses, 0);
}

TEST_F(MainWindowTest, KillRunsTheExitSequenceAndEndsTheDialog) {
    CTesselDlg& window = StartWindow();
    m_editStore.SetImage(DefaultImage());
    m_applyStore.SetImage(DefaultImage());
    window.Core().ShowWindow();
    window.Core().OnTrayCommand(CTesselDlg::kCommandAbout);
    auto* about = window.findChild<QMessageBox*>();
    EXPECT_EQ(about, nullptr) << "the About box has no owner";

    std::atomic<bool> finished{false};
    QObject::connect(&window, &QDialog::finished, [&] { finished = true; });
    EXPECT_EQ(SendFromWorker(WindowRequest{kKillMessage, kKillTag, 0}), 1);
    EXPECT_TRUE(finished);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.Core().TrayIcon(), nullptr);
    EXPECT_EQ(m_services.mutexCloses, 1);
    EXPECT_EQ(m_editStore.Image(), nullptr);
    EXPECT_EQ(m_applyStore.Image(), nullptr);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(top->isVisible()) << top->metaObject()->className();
    }

    // Nothing reaches the window once it is ending, and nothing runs twice.
    EXPECT_EQ(SendFromWorker(WindowRequest{kOpenMessage, kOpenTag, 0}), 0);
    EXPECT_FALSE(window.isVisible());
    window.Core().ExitSequence();
    EXPECT_EQ(m_services.mutexCloses, 1);
}

TEST_F(MainWindowTest, RunReturnsAfterTheTrayExit) {
    m_context = std::make_unique<AppContext>(
        AppContext{m_paths, m_services, {}, m_editStore, m_applyStore});
    m_core = std::make_unique<ResidentCore>(*m_context);
    QTimer::singleShot(50, m_core.get(),
                       [this] { m_core->TrayMenu()->actions().at(3)->trigger(); });
    m_core->Run();
    EXPECT_EQ(m_services.mutexCloses, 1);
}

TEST_F(MainWindowTest, SigtermEndsThroughTheExitSequence) {
    CTesselDlg& window = StartWindow();
    std::atomic<bool> finished{false};
    QObject::connect(&window, &QDialog::finished, [&] { finished = true; });
    raise(SIGTERM);
    EXPECT_TRUE(ProcessEventsUntil([&] { return finished.load(); }));
    EXPECT_EQ(m_services.mutexCloses, 1);
}

TEST_F(MainWindowTest, EscapeAndTheWindowManagersCloseOnlyHide) {
    CTesselDlg& window = StartWindow();
    window.Core().ShowWindow();
    std::atomic<bool> finished{false};
    QObject::connect(&window, &QDialog::finished, [&] { finished = true; });
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &escape);
    EXPECT_TRUE(window.isVisible());
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(finished);
    EXPECT_EQ(m_services.mutexCloses, 0);
    ASSERT_NE(window.Core().TrayIcon(), nullptr);
}

TEST(RequestDispatcherTest, ClosingReleasesSendersThatWaitForTheWindow) {
    RequestDispatcher dispatcher;
    std::atomic<int> handled{0};
    dispatcher.Map().On(1, [&](uintptr_t, intptr_t) {
        ++handled;
        return intptr_t{5};
    });
    // Same thread: handled at once, like a direct call.
    EXPECT_EQ(dispatcher.Send(WindowRequest{1, 0, 0}), 5);

    // The window thread is busy elsewhere (no events processed) and then closes.
    auto waiting = std::async(std::launch::async, [&] { return dispatcher.Send({1, 0, 0}); });
    EXPECT_EQ(waiting.wait_for(100ms), std::future_status::timeout);
    dispatcher.Close();
    EXPECT_EQ(waiting.get(), 0);
    EXPECT_EQ(handled, 1);

    dispatcher.Post(WindowRequest{1, 0, 0});
    QCoreApplication::processEvents();
    EXPECT_EQ(dispatcher.Send(WindowRequest{1, 0, 0}), 0);
    EXPECT_EQ(handled, 1);
}

TEST(RequestDispatcherTest, PostedRequestsRunInOrderOnTheWindowThread) {
    RequestDispatcher dispatcher;
    std::vector<uintptr_t> seen;
    const auto windowThread = std::this_thread::get_id();
    bool onWindowThread = true;
    dispatcher.Map().On(2, [&](uintptr_t wParam, intptr_t) {
        onWindowThread = onWindowThread && std::this_thread::get_id() == windowThread;
        seen.push_back(wParam);
        return intptr_t{0};
    });
    std::thread worker([&] {
        for (uintptr_t i = 0; i < 5; ++i) {
            dispatcher.Post(WindowRequest{2, i, 0});
        }
    });
    worker.join();
    EXPECT_TRUE(seen.empty());
    ProcessEventsUntil([&] { return seen.size() == 5; });
    EXPECT_EQ(seen, (std::vector<uintptr_t>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(onWindowThread);
}

}  // namespace
}  // namespace tessel
