#pragma once
// A real main window with the shipped skin and the simulated keyboard behind the
// real device-service library, its texts, a scripted prompter, fake
// single-instance services, and data, settings and colour files in temporary
// folders.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app_FakeInstanceServices.h"
#include "mainwindow/CTesselDlg.h"
#include "model/ConfigStore.h"
#include "model/KeyboardFacts.h"
#include "platform/Registry.h"
#include "resident/ResidentCore.h"
#include "support/ScriptedPrompter.h"
#include "support/SimulatedKeyboard.h"
#include "text/LanguageChoice.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"
#include "torvex_sim.h"

namespace tessel::testing {

bool ProcessEventsUntil(const std::function<bool()>& done,
                        std::chrono::milliseconds limit = std::chrono::seconds(10));
void ProcessEventsFor(std::chrono::milliseconds span);

template <typename Function>
Function SimControl(const char* name) {
    return reinterpret_cast<Function>(test::TorvexLibrary::Simulated().Resolve(name));
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void SetPlugged(bool plugged);
    void SetFirmware(uint16_t version);
    void Notify(uint16_t code);
    // Every keyboard job the window asked for has run and its result has
    // been handled on the window's thread.
    bool Settle();
    // Simulator memory, read without disturbing the window's transactions,
    // once the window's keyboard jobs have run.
    std::vector<uint8_t> ReadSimArea(int area, uint32_t offset, uint32_t length);
    // The keyboard's own active profile, as its profile key leaves it.
    int SimActiveProfile();
    // The simulator's frame log since it was last cleared, and the command
    // byte of each frame the keyboard received on its command channel.
    std::vector<TorvexSimFrame> SimFrames();
    std::vector<uint8_t> SimCommandsSent();

    // The library outlives every window of this program: take back the window's
    // standing reads, or the next window's keyboard events arrive twice.
    void ReleaseWindow();
    // The core started as the program starts it, its window built (hidden)
    // as a first Open builds it.
    CTesselDlg& StartWindow(std::vector<std::string> arguments = {});
    // The core alone: no window is built until something shows it.
    ResidentCore& StartCore(std::vector<std::string> arguments = {});
    // Starts with a keyboard and waits until the attach has been handled.
    CTesselDlg& StartWindowWithKeyboard();
    intptr_t SendFromWorker(const WindowRequest& request);
    // Apply sends on the transfer worker: presses it and waits for the transfer.
    void ApplyAndWait(CTesselDlg& window);
    std::u16string Localised(TextKeyEntry entry);
    std::u16string Localised(std::u16string_view textKey);

    QTemporaryDir m_runtime;
    QTemporaryDir m_config;
    QTemporaryDir m_data;
    Registry m_registry{std::filesystem::path(m_config.path().toStdString()) / "registry"};
    LanguageChoice m_language{m_registry, [] { return std::uint16_t{0x0409}; }};
    ProgramPaths m_paths;
    LanguageFiles m_files;
    LanguageTable m_table;
    ScriptedPrompter m_prompter;
    KeyboardFacts m_keyboard;
    MainWindowParts m_parts;
    FakeInstanceServices m_services;
    ConfigStore m_editStore;
    ConfigStore m_applyStore;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<ResidentCore> m_core;
    CTesselDlg* m_window = nullptr;

public:
    MainWindowTest();
};

}  // namespace tessel::testing
