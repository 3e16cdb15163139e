// The editor closed while one of its messages is shown (the keyboard pulled,
// the program told to end): the code after the message leaves alone the rows
// that went with the editor, and an exception that still escapes an event
// handler is caught at the event loop instead of ending the program.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>
#include <stdexcept>

#include "app/CTesselApp.h"
#include "editor_key_TestBench.h"
#include "editors/MacroActionCells.h"
#include "editors/Tessel_DlgCompositeMacroPage.h"
#include "model/MacroList.h"
#include "platform/MainWindowRequests.h"
#include "text/SafeFormat.h"

namespace tessel {
namespace {

using namespace tessel::testing;
using namespace composite_ids;

class CloseDuringMessage;

// What closes the editor behind its message.
struct CloseCase {
    const char* name;
    std::function<void(CloseDuringMessage&, CTesselDlg&)> close;
};

class CloseDuringMessage : public KeyEditorTest, public ::testing::WithParamInterface<CloseCase> {
public:
    void Unplug() { SetPlugged(false); }
    void Kill() { SendFromWorker({kKillMessage, kKillTag, 0}); }

protected:
    static constexpr int kG9 = 256 + 8;

    // A stored macro of two rows that G9 plays, the macro-only editor open on
    // it, 40009 typed into the second row's delay cell and not yet committed;
    // the delay message closes the editor the parameter's way.
    QLineEdit* TypeATooLongDelay(CTesselDlg& window) {
        {
            const auto lock = m_editStore.Lock();
            EXPECT_TRUE(AddNewMacro(m_editStore.Macros(), u"Kept"));
            MacroRecord& macro = m_editStore.Macros()[0];
            AppendMacroAction(macro, {50, 0x01E, kKeyDown});
            AppendMacroAction(macro, {0, 0x01E, kKeyUp});
            macro.fresh = 0;
            *EntryFor(*m_editStore.Image(), 0, kG9) = {4, 1, macro.identifier, 0, 0};
        }
        m_before = EditMacros();
        window.SendCommand(kIdMacroButton);
        Tessel_DlgComposite& editor = *window.KeyEditor();
        EXPECT_EQ(editor.MacroPage().WorkingCopies().Rows().Count(), 2);
        auto* list = editor.Item<QTableWidget>(kActionList);
        list->setCurrentCell(1, kDelayColumn);
        list->edit(list->model()->index(1, kDelayColumn));
        auto* field = qobject_cast<QLineEdit*>(list->indexWidget(list->currentIndex()));
        if (field) {
            field->setText(QStringLiteral("40009"));
        }
        m_prompter.whileShown = [this, main = &window, shown = &editor] {
            GetParam().close(*this, *main);
            ProcessEventsUntil([shown] { return !shown->IsOpen(); });
        };
        return field;
    }

    // The delay message was shown, the editor closed the Cancel way: nothing
    // stored, its rows and copies gone.
    void ExpectClosedStoringNothing(Tessel_DlgComposite& editor) {
        EXPECT_FALSE(editor.IsOpen());
        ASSERT_FALSE(m_prompter.shown.empty());
        EXPECT_EQ(m_prompter.shown[0].text,
                  SafeFormat(Localised(TextKeyEntry::MACRO_ACTION_ERR_DELAY_MAX), {40000, 40000}));
        EXPECT_EQ(editor.MacroPage().WorkingCopies().Count(), 0);
        EXPECT_EQ(editor.Item<QTableWidget>(kActionList)->rowCount(), 0);
        // Exit and KILL empty the stores as the program ends.
        if (std::string(GetParam().name) == "Unplug") {
            EXPECT_EQ(EditMacros(), m_before);
            EXPECT_EQ(EditEntry(0, kG9).type, 4) << "G9 still plays the macro";
        }
    }

    std::vector<MacroRecord> m_before;
};

TEST_P(CloseDuringMessage, TheCommittedCellTouchesNoRowAfterTheMessage) {
    CTesselDlg& window = StartEditorWindow();
    QLineEdit* field = TypeATooLongDelay(window);
    ASSERT_NE(field, nullptr);
    auto* list = window.KeyEditor()->Item<QTableWidget>(kActionList);
    EXPECT_NO_THROW(emit list->itemDelegate()->commitData(field));
    ExpectClosedStoringNothing(*window.KeyEditor());
}

TEST_P(CloseDuringMessage, OkWithTheCellStillOpenStoresNothingAndClosesOnce) {
    CTesselDlg& window = StartEditorWindow();
    ASSERT_NE(TypeATooLongDelay(window), nullptr);
    Tessel_DlgComposite& editor = *window.KeyEditor();
    EXPECT_NO_THROW(editor.SendCommand(kIdOk));
    ExpectClosedStoringNothing(editor);
    if (std::string(GetParam().name) == "Unplug") {
        // The removal is handled to its end before the keyboard comes back.
        ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 128; }));
        SetPlugged(true);
        ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }));
        ASSERT_TRUE(Settle());
        EXPECT_TRUE(ClickKey(window, kKeyButtonA).IsOpen()) << "the editor opens again";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Editor, CloseDuringMessage,
    ::testing::Values(
        CloseCase{"Unplug", [](CloseDuringMessage& test, CTesselDlg&) { test.Unplug(); }},
        CloseCase{"TrayExit",
                  [](CloseDuringMessage&, CTesselDlg& window) {
                      window.Core().OnTrayCommand(CTesselDlg::kCommandExit);
                  }},
        CloseCase{"Kill", [](CloseDuringMessage& test, CTesselDlg&) { test.Kill(); }}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST(EventBoundary, AnExceptionFromAHandlerIsLoggedAndTheEventCountsAsNotHandled) {
    QTimer receiver;
    QEvent event(QEvent::Timer);
    std::optional<std::string> caught;
    ::testing::internal::CaptureStderr();
    const bool handled = DeliverCatching([]() -> bool { throw std::out_of_range("row 3 of 2"); },
                                         &receiver, &event, caught);
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(handled);
    EXPECT_EQ(caught, "row 3 of 2");
    EXPECT_NE(log.find("QTimer"), std::string::npos) << log;
    EXPECT_NE(log.find("row 3 of 2"), std::string::npos) << log;

    caught.reset();
    EXPECT_TRUE(DeliverCatching([] { return true; }, &receiver, &event, caught));
    EXPECT_FALSE(caught);
    EXPECT_FALSE(DeliverCatching([]() -> bool { throw 42; }, &receiver, &event, caught));
    EXPECT_TRUE(caught);
}

}  // namespace
}  // namespace tessel
