#include "MainWindowFixture.h"

#include <stdlib.h>

#include <QCoreApplication>
#include <future>

#include "device/CommandFrame.h"
#include "device/DeviceConnection.h"
#include "torvex_sim.h"

namespace tessel::testing {

using namespace std::chrono_literals;

bool ProcessEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void ProcessEventsFor(std::chrono::milliseconds span) {
    ProcessEventsUntil([] { return false; }, span);
}

namespace {

ProgramPaths TestPaths(const QTemporaryDir& data) {
    ProgramPaths paths =
        ProgramPaths::FromModuleFileName(std::filesystem::path(TESSEL_PROGRAM_DIR) / "tessel");
    // Colour files are written: keep them out of the build's program folder.
    paths.colourFilePrefix =
        std::filesystem::path(data.path().toStdString()) / "Skins" / "UserDengColor_";
    std::filesystem::create_directories(paths.colourFilePrefix.parent_path());
    return paths;
}

}  // namespace

MainWindowTest::MainWindowTest()
    : m_paths(TestPaths(m_data)),
      m_files(m_paths.programFolder),
      m_parts{m_language,
              m_files,
              m_table,
              m_prompter,
              m_keyboard,
              &test::TorvexLibrary::Simulated(),
              std::filesystem::path(m_data.path().toStdString()) / "Tessel_09A",
              &m_registry} {}

void MainWindowTest::SetUp() {
    ASSERT_TRUE(m_runtime.isValid());
    setenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8().constData(), 1);
    setenv("TORVEX_BACKEND", "sim", 1);
    // Loads the library with the simulator before the window binds it.
    test::TorvexLibrary::Simulated();
    SimControl<void (*)()>("TorvexSimReset")();
}

void MainWindowTest::TearDown() {
    ReleaseWindow();
    SimControl<void (*)()>("TorvexSimReset")();
}

void MainWindowTest::SetPlugged(bool plugged) {
    SimControl<int (*)()>(plugged ? "TorvexSimPlug" : "TorvexSimUnplug")();
}

void MainWindowTest::SetFirmware(uint16_t version) {
    SimControl<int (*)(uint16_t)>("TorvexSimSetFirmwareVersion")(version);
}

void MainWindowTest::Notify(uint16_t code) {
    SimControl<int (*)(uint16_t)>("TorvexSimNotify")(code);
}

void MainWindowTest::ReleaseWindow() {
    if (m_core && m_core->Device()) {
        DeviceConnection& device = *m_core->Device();
        device.Service().CancelRequest(device.RequestIds().consumerRead);
        device.Service().CancelRequest(device.RequestIds().commandRead);
    }
    m_window = nullptr;
    m_core.reset();
}

ResidentCore& MainWindowTest::StartCore(std::vector<std::string> arguments) {
    ReleaseWindow();
    m_context = std::make_unique<AppContext>(
        AppContext{m_paths, m_services, std::move(arguments), m_editStore, m_applyStore, &m_parts});
    m_core = std::make_unique<ResidentCore>(*m_context);
    m_core->Start();
    return *m_core;
}

CTesselDlg& MainWindowTest::StartWindow(std::vector<std::string> arguments) {
    ResidentCore& core = StartCore(std::move(arguments));
    m_window = &core.Window();
    EXPECT_TRUE(ProcessEventsUntil([&] { return core.IsInitialised(); }));
    return *m_window;
}

CTesselDlg& MainWindowTest::StartWindowWithKeyboard() {
    SetPlugged(true);
    CTesselDlg& window = StartWindow({"/Start"});
    EXPECT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }))
        << "the presence worker handles the attach before it shows the keyboard's icon";
    EXPECT_TRUE(Settle()) << "the attach's reload reads the keyboard";
    return window;
}

intptr_t MainWindowTest::SendFromWorker(const WindowRequest& request) {
    auto result = std::async(std::launch::async, [&] { return m_core->SendRequest(request); });
    ProcessEventsUntil([&] { return result.wait_for(0ms) == std::future_status::ready; });
    return result.get();
}

std::u16string MainWindowTest::Localised(TextKeyEntry entry) {
    return Localised(m_table.TextKey(entry));
}

std::u16string MainWindowTest::Localised(std::u16string_view textKey) {
    return m_files.LocalText(textKey, m_language.LanguageIndex());
}

}  // namespace tessel::testing

namespace tessel::testing {

bool MainWindowTest::Settle() {
    return !m_core || ProcessEventsUntil([&] { return m_core->IsKeyboardSettled(); });
}

std::vector<uint8_t> MainWindowTest::ReadSimArea(int area, uint32_t offset, uint32_t length) {
    // What the window asked of the keyboard has reached it first.
    Settle();
    std::vector<uint8_t> bytes(length);
    const int copied = SimControl<int (*)(int, uint32_t, uint8_t*, uint32_t)>("TorvexSimReadArea")(
        area, offset, bytes.data(), length);
    bytes.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return bytes;
}

int MainWindowTest::SimActiveProfile() {
    constexpr uint32_t kActiveProfileByte = 10;
    const auto info = ReadSimArea(TORVEX_SIM_AREA_DEVICE_INFO, kActiveProfileByte, 1);
    return info.empty() ? -1 : info[0];
}

std::vector<TorvexSimFrame> MainWindowTest::SimFrames() {
    std::vector<TorvexSimFrame> frames(SimControl<int (*)()>("TorvexSimFrameLogCount")());
    for (int i = 0; i < static_cast<int>(frames.size()); ++i) {
        SimControl<int (*)(int, TorvexSimFrame*)>("TorvexSimFrameLogEntry")(i, &frames[i]);
    }
    return frames;
}

std::vector<uint8_t> MainWindowTest::SimCommandsSent() {
    std::vector<uint8_t> commands;
    for (const TorvexSimFrame& frame : SimFrames()) {
        if (frame.direction == TORVEX_SIM_TO_KEYBOARD &&
            frame.channel == TORVEX_SIM_CHANNEL_COMMAND) {
            commands.push_back(frame.bytes[CommandFrame::kCommandAt]);
        }
    }
    return commands;
}

void MainWindowTest::ApplyAndWait(CTesselDlg& window) {
    window.SendCommand(kIdApply);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !window.Core().IsTransferRunning(); }));
    ASSERT_TRUE(Settle());
}

}  // namespace tessel::testing
