// The key-assignment editor end to end: a key click opens it, a choice is
// written into the edit store with OK, and the main window's Apply sends the
// key block of the active profile to the simulated keyboard.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "app/ScreenshotMode.h"
#include "editor_key_TestBench.h"
#include "editors/SceneSwitch.h"
#include "editors/Tessel_DlgCompositeMacroPage.h"
#include "skin/SkinIni.h"
#include "skin/qt/CPngButton.h"

namespace tessel {
namespace {

using namespace tessel::testing;
using namespace composite_ids;

class KeyAssignmentTest : public KeyEditorTest {
protected:
    std::vector<uint8_t> SlotOf(const std::vector<uint8_t>& block, int slot) {
        return {block.begin() + slot * 3, block.begin() + slot * 3 + 3};
    }
    // Every profile's key block but the expected change is left as it was.
    void ExpectOnlySlotChanged(const std::vector<std::vector<uint8_t>>& before, int profile,
                               int slot, std::vector<uint8_t> action) {
        for (int p = 0; p < 4; ++p) {
            std::vector<uint8_t> expected = before[static_cast<std::size_t>(p)];
            if (p == profile) {
                std::copy(action.begin(), action.end(), expected.begin() + slot * 3);
            }
            EXPECT_EQ(SimKeyBlock(p), expected) << "key block of profile " << p;
        }
    }
    std::vector<std::vector<uint8_t>> AllKeyBlocks() {
        return {SimKeyBlock(0), SimKeyBlock(1), SimKeyBlock(2), SimKeyBlock(3)};
    }

public:
    void CaptureBOnAAndApply(uint8_t profile) {
        SetSimActiveProfile(profile);
        CTesselDlg& window = StartEditorWindow();
        ASSERT_EQ(window.Core().Device()->Link().GetActiveProfile(), profile);
        const auto before = AllKeyBlocks();
        ASSERT_EQ(SlotOf(before[profile], kSlotA), (std::vector<uint8_t>{2, 2, 0x04}));

        Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
        EXPECT_EQ(editor.ShownPage(), CompositePage::Key);
        EXPECT_FALSE(editor.IsModified());
        Tap(editor, evdev::kB);
        EXPECT_EQ(editor.CapturedCode(), 0x030);
        EXPECT_EQ(editor.Item<QLineEdit>(kKeyField)->text().toStdU16String(),
                  Localised(u"IDS_KEYBOARD_B"));
        EXPECT_TRUE(editor.GetDlgItem(kApply)->isEnabled());

        editor.SendCommand(kIdOk);
        EXPECT_FALSE(editor.IsOpen());
        EXPECT_EQ(EditEntry(profile, kKeyIndexA), (KeyAssignment{2, 0, 0x030, 0, 0}));
        EXPECT_EQ(EditEntry(profile == 0 ? 2 : 0, kKeyIndexA), KeyAssignment{});
        auto* button = window.Item<CPngButton>(kKeyButtonA);
        EXPECT_TRUE(button->IsChecked());
        EXPECT_TRUE(button->TooltipText().endsWith(
            QString::fromStdU16String(Localised(u"IDS_KEYBOARD_B")) + QStringLiteral(")")))
            << button->TooltipText().toStdString();
        EXPECT_TRUE(window.Core().IsApplyEnabled());

        ApplyAndWait(window);
        ExpectOnlySlotChanged(before, profile, kSlotA, {2, 2, 0x05});
    }
};

TEST_F(KeyAssignmentTest, ACapturedKeyReachesTheKeyBlockOfTheActiveProfileOnly) {
    CaptureBOnAAndApply(0);
}

TEST_F(KeyAssignmentTest, WithProfile2ActiveOnlyThatProfilesBlockIsWritten) {
    CaptureBOnAAndApply(2);
}

TEST_F(KeyAssignmentTest, EachPageWritesItsEntryAndItsKeyAction) {
    CTesselDlg& window = StartEditorWindow();
    struct Case {
        const char* what;
        std::function<void(Tessel_DlgComposite&)> choose;
        KeyAssignment entry;
        std::vector<uint8_t> action;
    };
    const auto pick = [](Tessel_DlgComposite& editor, int page, int list, int position) {
        editor.SendCommand(page);
        auto* combo = editor.Item<QComboBox>(list);
        combo->setCurrentIndex(position);
        emit combo->activated(position);
    };
    const Case cases[] = {
        {"another key", [](auto& e) { Tap(e, evdev::kB); }, {2, 0, 0x030, 0, 0}, {2, 2, 0x05}},
        {"the key itself restores the default",
         [](auto& e) { Tap(e, evdev::kA); },
         {0, 0, 0x01E, 0, 0},
         {2, 2, 0x04}},
        {"Mute from the multimedia page",
         [&](auto& e) { pick(e, kMediaPageButton, kMediaList, 7); },
         {7, 0, 7, 0, 0},
         {3, 0xE2, 0x00}},
        {"function key 4",
         [&](auto& e) { pick(e, kFunctionPageButton, kFunctionList, 4); },
         {8, 0, 4, 0, 0},
         {5, 5, 4}},
        {"Roll Down from the mouse list",
         [&](auto& e) {
             e.SendCommand(kMouseSource);
             auto* mouse = e.template Item<QComboBox>(kMouseList);
             mouse->setCurrentIndex(4);
             emit mouse->activated(4);
         },
         {2, 0, 0x162, 0, 0},
         {1, 5, 0xFF}},
        {"Clear gives the default",
         [](auto& e) {
             e.SendCommand(kClear);
             EXPECT_EQ(e.CapturedCode(), 0);
             // Re-checking the keyboard source must not bring back the old key.
             e.SendCommand(kKeyboardSource);
         },
         {0, 0, 0, 0, 0},
         {2, 2, 0x04}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
        c.choose(editor);
        EXPECT_TRUE(editor.IsModified()) << "every choice enables the editor's Apply";
        editor.SendCommand(kIdOk);
        EXPECT_EQ(EditEntry(0, kKeyIndexA), c.entry);
        ApplyAndWait(window);
        EXPECT_EQ(SlotOf(SimKeyBlock(0), kSlotA), c.action);
    }
}

TEST_F(KeyAssignmentTest, PageButtonsAndClearAnswerClicksWhereTheSkinPlacesThem) {
    CTesselDlg& window = StartEditorWindow();
    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    Tap(editor, evdev::kB);
    // Clicks the topmost control at the centre of a skin entry, as a user would.
    const auto click = [&](std::u16string_view entry) {
        const SkinRect r = ReadSkinRect(m_paths.compositeSkinFile, kButtonInfoSection, entry);
        const QPoint centre(r.left + r.width / 2, r.top + r.height / 2);
        QWidget* target = editor.childAt(centre);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&editor, centre));
    };
    const struct {
        std::u16string_view entry;
        CompositePage page;
        int category;
    } steps[] = {
        {u"CONTROL_MEDIA", CompositePage::Multimedia, 7},
        {u"CONTROL_MACRO", CompositePage::Macro, 4},
        {u"CONTROL_FUNCTION", CompositePage::Function, 8},
        {u"CONTROL_KEY", CompositePage::Key, 2},
        {u"CONTROL_CLEAR", CompositePage::Key, 0},
    };
    for (const auto& step : steps) {
        click(step.entry);
        EXPECT_EQ(editor.ShownPage(), step.page);
        EXPECT_EQ(editor.Category(), step.category);
    }
    EXPECT_EQ(editor.CapturedCode(), 0);
    click(u"CONTROL_OK");
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_EQ(EditEntry(0, kKeyIndexA).type, 0);
}

TEST_F(KeyAssignmentTest, CancelStoresNothingAndSendsNothing) {
    CTesselDlg& window = StartEditorWindow();
    const ProfileImage before = *m_editStore.Image();
    SimControl<void (*)()>("TorvexSimClearFrameLog")();

    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    Tap(editor, evdev::kB);
    editor.SendCommand(kMediaPageButton);
    editor.SendCommand(kIdCancel);

    EXPECT_FALSE(editor.IsOpen());
    EXPECT_EQ(m_editStore.Image()->entries, before.entries);
    EXPECT_EQ(m_editStore.Image()->header.macroCount, before.header.macroCount);
    EXPECT_FALSE(window.Core().IsApplyEnabled());
    EXPECT_EQ(SimControl<int (*)()>("TorvexSimFrameLogCount")(), 0);
    EXPECT_FALSE(window.Item<CPngButton>(kKeyButtonA)->IsChecked());
}

TEST_F(KeyAssignmentTest, UnpluggingClosesTheEditorTheCancelWayAlsoDuringAQuestion) {
    CTesselDlg& window = StartEditorWindow();
    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    Tap(editor, evdev::kB);
    SetPlugged(false);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !editor.IsOpen(); }));
    EXPECT_EQ(EditEntry(0, kKeyIndexA), KeyAssignment{});
    EXPECT_FALSE(editor.IsCapturingKeys());
    // The removal is handled to its end before the keyboard comes back.
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 128; }));

    SetPlugged(true);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }));
    ASSERT_TRUE(Settle());
    Tessel_DlgComposite& again = ClickKey(window, kKeyButtonA);
    Tap(again, evdev::kB);
    m_prompter.answer = PromptAnswer::Yes;
    m_prompter.whileShown = [&] {
        SetPlugged(false);
        ProcessEventsUntil([&] { return !again.IsOpen(); });
    };
    EXPECT_EQ(again.Ask(u"Delete?", PromptButtons::YesNoDefaultNo, PromptIcon::Question),
              PromptAnswer::No)
        << "an answer given after the editor closed changes nothing";
    EXPECT_FALSE(again.IsOpen());
    EXPECT_EQ(EditEntry(0, kKeyIndexA), KeyAssignment{});
}

TEST_F(KeyAssignmentTest, WhileTheEditorIsOpenTheSceneSwitchIsRefusedAndLanguageReachesIt) {
    CTesselDlg& window = StartEditorWindow();
    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    EXPECT_EQ(window.Core().Scenes()->SwitchScene(1), 0);
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(window.Core().Device()->Link().GetActiveProfile(), 0);

    editor.Item<CPngButton>(kIdOk)->setText(QString());
    window.Core().SendRequest({kLanguageMessage, kLanguageTag, m_language.LanguageIndex()});
    EXPECT_EQ(editor.Item<CPngButton>(kIdOk)->text().toStdU16String(),
              Localised(u"IDS_COMPOSITE_OK"));
    editor.SendCommand(kIdCancel);
}

TEST_F(KeyAssignmentTest, TheMacroButtonOpensTheMacroOnlyEditorCentred) {
    CTesselDlg& window = StartEditorWindow();
    window.SendCommand(kIdMacroButton);
    Tessel_DlgComposite& editor = *window.KeyEditor();
    ASSERT_TRUE(editor.IsOpen());
    EXPECT_TRUE(editor.IsMacroOnly());
    EXPECT_EQ(editor.ShownPage(), CompositePage::Macro);
    EXPECT_FALSE(editor.IsCapturingKeys());
    for (int id : {kKeyPageButton, kMediaPageButton, kFunctionPageButton, kClear}) {
        EXPECT_FALSE(editor.GetDlgItem(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(editor.GetDlgItem(kMacroBox)->isVisibleTo(&editor));
    EXPECT_FALSE(editor.GetDlgItem(kKeyField)->isVisibleTo(&editor));
    EXPECT_EQ(editor.Item<QLineEdit>(kCycles)->text(), QStringLiteral("1"));
    const QRect screen = window.screen()->geometry();
    EXPECT_EQ(editor.pos(), QPoint(screen.left() + (screen.width() - editor.width()) / 2,
                                   screen.top() + (screen.height() - editor.height()) / 2));

    // With no macro to play, OK gives G9 of bank A its default.
    editor.SendCommand(kIdOk);
    EXPECT_EQ(EditEntry(0, 256 + 8).type, 0);
    EXPECT_EQ(EditEntry(0, 256 + 8).auxiliary, 0x0309);
}

TEST_F(KeyAssignmentTest, TheFirstVisitOfTheMacroPageSelectsAMacroForApply) {
    CTesselDlg& window = StartEditorWindow();
    {
        const auto lock = m_editStore.Lock();
        for (uint16_t id : {5, 9}) {
            MacroRecord macro;
            macro.identifier = id;
            macro.SetName(id == 5 ? u"first" : u"second");
            m_editStore.Macros().push_back(macro);
        }
        *EntryFor(*m_editStore.Image(), 0, kKeyIndexA) = KeyAssignment{7, 0, 9, 0, 0};
    }
    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    EXPECT_EQ(editor.ShownPage(), CompositePage::Multimedia);
    editor.SendCommand(kMacroPageButton);
    EXPECT_EQ(editor.MacroPage().SelectedPosition(), 0)
        << "the value 9 of a multimedia entry is no macro";
    editor.SendCommand(kIdOk);
    EXPECT_EQ(EditEntry(0, kKeyIndexA), (KeyAssignment{4, 1, 5, 0, 0}));
}

TEST_F(KeyAssignmentTest, TheCycleCountReachesTheEntryAsOneTo255Only) {
    CTesselDlg& window = StartEditorWindow();
    {
        const auto lock = m_editStore.Lock();
        MacroRecord macro;
        macro.identifier = 3;
        m_editStore.Macros().push_back(macro);
    }
    window.SendCommand(kIdMacroButton);
    Tessel_DlgComposite& editor = *window.KeyEditor();
    auto* cycles = editor.Item<QLineEdit>(kCycles);
    const auto type = [&](const char* keys) {
        cycles->selectAll();
        QTest::keyClicks(cycles, QString::fromLatin1(keys));
    };
    type("0");
    EXPECT_EQ(cycles->text(), QStringLiteral("1"));
    EXPECT_TRUE(editor.IsModified());
    type("300");
    EXPECT_EQ(cycles->text(), QStringLiteral("255"));
    // Typing may pass through an empty field; leaving it makes it a number again.
    cycles->selectAll();
    QTest::keyClick(cycles, Qt::Key_Backspace);
    EXPECT_EQ(cycles->text(), QString());
    QTest::keyClick(cycles, Qt::Key_Return);
    EXPECT_EQ(cycles->text(), QStringLiteral("1"));
    EXPECT_TRUE(editor.IsOpen()) << "Enter does not close the editor";
    type("42");
    editor.SendCommand(kIdOk);
    EXPECT_EQ(EditEntry(0, 256 + 8), (KeyAssignment{4, 42, 3, 0, 0}));
}

TEST_F(KeyAssignmentTest, TheEditGoesToTheProfileThatWasActiveWhenTheEditorOpened) {
    CTesselDlg& window = StartEditorWindow();
    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    Tap(editor, evdev::kB);
    // The profile changes behind the open editor.
    ASSERT_EQ(window.Core().Device()->Link().SetActiveProfile(3), 1);
    editor.SendCommand(kIdOk);
    EXPECT_EQ(EditEntry(0, kKeyIndexA), (KeyAssignment{2, 0, 0x030, 0, 0}));
    EXPECT_EQ(EditEntry(3, kKeyIndexA), KeyAssignment{});
}

TEST_F(KeyAssignmentTest, WithTheActiveProfileUnknownNothingOpensAndNothingIsWritten) {
    SetPlugged(false);
    CTesselDlg& window = StartWindow({"/Start"});
    ASSERT_EQ(window.Core().Device()->Link().GetActiveProfile(), -1);
    window.KeyEditor()->SetModeless(true);
    const ProfileImage before = *m_editStore.Image();
    EXPECT_EQ(window.Keyboard()->OpenKeyEntry(kKeyButtonA), 0);
    EXPECT_FALSE(window.KeyEditor()->IsOpen());
    EXPECT_EQ(m_prompter.Texts(),
              std::vector<std::u16string>{Localised(u"IDS_MAIN_DEVICE_PROMRT")});
    EXPECT_EQ(m_editStore.Image()->entries, before.entries);
}

TEST(KeyEditorScreenshot, TheEditedKeyIsNamedByLabelGKeyOrSkinEntry) {
    const std::vector<std::string> arguments = {"--screenshot", "e.png", "--edit-key", "A"};
    EXPECT_EQ(ScanScreenshotRequest(arguments)->editKey, "A");
    EXPECT_EQ(KeyControlOfName("a"), kKeyButtonA);
    EXPECT_EQ(KeyControlOfName("KEY_01E"), kKeyButtonA);
    EXPECT_EQ(KeyControlOfName("Print Screen"), 1091);
    EXPECT_EQ(KeyControlOfName("KEY_0B7"), 1091);
    EXPECT_EQ(KeyControlOfName("g9"), kMacroOnlyButton);
    EXPECT_FALSE(KeyControlOfName("Hyper"));
}

}  // namespace
}  // namespace tessel
