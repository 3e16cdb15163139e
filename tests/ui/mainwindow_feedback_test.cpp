// Where the user needs an answer: help that cannot be shown, a pulled and
// returned cable, an export, and assignments the keyboard has no slot for.

#include <gtest/gtest.h>

#include <QTest>

#include <filesystem>

#include "MainWindowFixture.h"
#include "mainwindow/MainWindowIds.h"
#include "model/AssignmentEdits.h"
#include "model/KeyCode.h"
#include "platform/ShellOpen.h"
#include "resident/PlugNotices.h"

namespace tessel {
namespace {

using namespace tessel::testing;
using FeedbackTest = MainWindowTest;

// Until the presence worker has counted the keyboard the window refuses to
// show, with a box each time: those boxes are forgotten.
bool Show(CTesselDlg& window, ScriptedPrompter& prompter) {
    const bool shown = ProcessEventsUntil([&] {
        window.Core().ShowWindow();
        return window.isVisible();
    });
    prompter.shown.clear();
    return shown;
}

bool AnyContains(const std::vector<std::u16string>& texts, const std::u16string& part) {
    for (const std::u16string& text : texts) {
        if (text.find(part) != std::u16string::npos) {
            return true;
        }
    }
    return false;
}

TEST_F(FeedbackTest, F1WithoutABrowserSaysSoAndNamesTheHelpPage) {
    ReplaceShellOpen([](const std::filesystem::path&, std::u16string_view,
                        const std::filesystem::path&,
                        ShowCommand) { return kShellOpenNoAssociation; });
    CTesselDlg& window = StartWindowWithKeyboard();
    ASSERT_TRUE(Show(window, m_prompter));
    QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, Qt::Key_F1);
    ReplaceShellOpen({});
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_NE(m_prompter.shown[0].text.find((m_paths.helpFolder / "index.html").u16string()),
              std::u16string::npos);
    EXPECT_EQ(m_prompter.shown[0].text.find(u"#Error"), std::u16string::npos);
}

TEST_F(FeedbackTest, ExportOpensInTheDataFolderAndConfirmsWithTheFilesName) {
    CTesselDlg& window = StartWindowWithKeyboard();
    const std::filesystem::path target =
        std::filesystem::path(m_data.path().toStdString()) / "mine.fwc";
    m_prompter.fileAnswers.push_back(target.u16string());
    window.Core().ExportFile();
    ASSERT_EQ(m_prompter.dialogs.size(), 1u);
    EXPECT_EQ(std::filesystem::path(m_prompter.dialogs[0].initialPath).parent_path(),
              m_parts.dataFolder);
    ASSERT_TRUE(std::filesystem::exists(target));
    EXPECT_TRUE(AnyContains(m_prompter.Texts(), target.u16string())) << "the file is named";
}

TEST_F(FeedbackTest, APulledCableIsToldAndTheWindowReopensWhenItReturns) {
    CTesselDlg& window = StartWindowWithKeyboard();
    ASSERT_TRUE(Show(window, m_prompter));
    auto* notices = window.Core().findChild<PlugNotices*>();
    ASSERT_NE(notices, nullptr);

    SetPlugged(false);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 128; }));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(notices->LastNotice().toStdU16String(), Localised(u"IDS_TRAY_DISCONNECTED"));

    SetPlugged(true);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }));
    ASSERT_TRUE(Settle());  // the attach reload has read the keyboard
    EXPECT_EQ(notices->LastNotice().toStdU16String(), Localised(u"IDS_TRAY_CONNECTED"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return window.isVisible(); }))
        << "open at the pull: open again";

    // Closed at the pull: it stays in the tray.
    window.Core().HideWindow();
    SetPlugged(false);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 128; }));
    SetPlugged(true);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }));
    ASSERT_TRUE(Settle());  // the attach reload has read the keyboard
    ProcessEventsFor(std::chrono::milliseconds(300));
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(m_prompter.shown.empty()) << "no box about a missing keyboard";
}

TEST_F(FeedbackTest, ApplyNamesTheKeysTheKeyboardHasNoSlotFor) {
    CTesselDlg& window = StartWindowWithKeyboard();
    constexpr int profile = 0;  // the simulated keyboard's active one
    constexpr uint16_t kG1BankB = 0x209;
    ASSERT_TRUE(EditKeyAssignment(m_editStore, profile, KeyIndexOf(kG1BankB),
                                  static_cast<uint16_t>(AssignmentType::Disabled), 0, 0));
    window.Core().EnableApply(true);
    ApplyAndWait(window);
    EXPECT_TRUE(AnyContains(m_prompter.Texts(), u"G1 (B)")) << "the key without a slot";

    m_prompter.shown.clear();
    ASSERT_TRUE(EditKeyAssignment(m_editStore, profile, KeyIndexOf(kG1BankB),
                                  static_cast<uint16_t>(AssignmentType::Default), 0, 0));
    window.Core().EnableApply(true);
    ApplyAndWait(window);
    EXPECT_TRUE(m_prompter.shown.empty());
}

}  // namespace
}  // namespace tessel
