// What a user of the key-assignment editor expects beyond its bare rules: the
// key page never takes a key the field does not show, Enter in the macro box
// keeps the macro being renamed, the record button says what it does in every
// language, a delay cell opens on a double-click or F2, and the title names the
// key. Keys are typed into the editor's window as the desktop delivers them.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>

#include "editor_key_TestBench.h"
#include "editors/MacroActionCells.h"
#include "editors/Tessel_DlgCompositeMacroPage.h"
#include "model/MacroList.h"
#include "platform/MainWindowRequests.h"
#include "skin/qt/CPngButton.h"
#include "text/SafeFormat.h"

namespace tessel {
namespace {

using namespace tessel::testing;
using namespace composite_ids;

constexpr int kGKey8Button = 1142;
constexpr int kSimplifiedChinese = 0;

class EditorComfortsTest : public KeyEditorTest {
protected:
    // Stored macros, no longer new: a test's key entries may play them.
    void StoreMacros(std::initializer_list<std::u16string_view> names) {
        const auto lock = m_editStore.Lock();
        for (std::u16string_view name : names) {
            ASSERT_TRUE(AddNewMacro(m_editStore.Macros(), name));
            MacroRecord& macro = m_editStore.Macros().back();
            macro.fresh = 0;
            AppendMacroAction(macro, {50, 0x01E, kKeyDown});
            AppendMacroAction(macro, {0, 0x01E, kKeyUp});
        }
    }
    static std::u16string Name(Tessel_DlgComposite& editor, int position) {
        return editor.MacroPage().WorkingCopies().Copy(position).Name();
    }
};

// An entry of any type may hold B's code in its value; only a key entry means
// it. Checking the keyboard source and OK must not assign a key the field
// never showed.
TEST_F(EditorComfortsTest, TheKeyPageTakesItsKeyOnlyFromAKeyEntry) {
    CTesselDlg& window = StartEditorWindow();
    struct Case {
        uint16_t type;
        QString field;
        KeyAssignment written;
    };
    const QString b = QString::fromStdU16String(Localised(u"IDS_KEYBOARD_B"));
    const Case cases[] = {
        {0, QString(), {0, 0, 0, 0, 0}}, {1, QString(), {0, 0, 0, 0, 0}},
        {2, b, {2, 0, 0x030, 0, 0}},     {3, QString(), {0, 0, 0, 0, 0}},
        {5, QString(), {0, 0, 0, 0, 0}}, {6, QString(), {0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        {
            const auto lock = m_editStore.Lock();
            *EntryFor(*m_editStore.Image(), 0, kKeyIndexA) = {c.type, 0, 0x030, 0, 0};
        }
        Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
        ASSERT_EQ(editor.ShownPage(), CompositePage::Key);
        editor.SendCommand(kKeyboardSource);
        EXPECT_EQ(editor.Item<QLineEdit>(kKeyField)->text(), c.field);
        editor.SendCommand(kIdOk);
        EXPECT_EQ(EditEntry(0, kKeyIndexA), c.written);
    }
}

TEST_F(EditorComfortsTest, EnterInTheMacroBoxKeepsTheMacroBeingRenamed) {
    CTesselDlg& window = StartEditorWindow();
    StoreMacros({u"Alpha", u"Beta"});
    window.SendCommand(kIdMacroButton);
    Tessel_DlgComposite& editor = *window.KeyEditor();
    auto* box = editor.Item<QComboBox>(kMacroBox);
    box->setCurrentIndex(1);
    ASSERT_EQ(editor.MacroPage().SelectedPosition(), 1);
    ActivateForTyping(editor);
    box->setFocus();
    box->lineEdit()->selectAll();

    // "Alpha" is the start of another name: Beta gets a generated one, and
    // Enter shows it instead of selecting Alpha.
    TypeIntoWindow(editor, "Alpha");
    TypeIntoWindow(editor, Qt::Key_Return);
    EXPECT_EQ(editor.MacroPage().SelectedPosition(), 1);
    const std::u16string generated = Name(editor, 1);
    EXPECT_EQ(generated.rfind(Localised(TextKeyEntry::MACRO_NEW_PREFIX), 0), 0u);
    EXPECT_EQ(box->currentText().toStdU16String(), generated);
    EXPECT_TRUE(editor.IsOpen());

    // The next keystrokes still rename the same macro.
    TypeIntoWindow(editor, "Gamma");
    TypeIntoWindow(editor, Qt::Key_Enter);
    EXPECT_EQ(editor.MacroPage().SelectedPosition(), 1);
    editor.SendCommand(kIdOk);
    const std::vector<MacroRecord> stored = EditMacros();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].Name(), u"Alpha");
    EXPECT_EQ(stored[1].Name(), u"Gamma");
}

TEST_F(EditorComfortsTest, ALanguageChangeWhileRecordingKeepsTheStopLabel) {
    CTesselDlg& window = StartEditorWindow();
    window.SendCommand(kIdMacroButton);
    Tessel_DlgComposite& editor = *window.KeyEditor();
    editor.Item<QAbstractButton>(kAddMacro)->click();
    auto* record = editor.Item<CPngButton>(kRecord);
    record->click();
    ASSERT_TRUE(editor.MacroPage().IsRecording());
    const WindowRequest language{kLanguageMessage, kLanguageTag, m_language.LanguageIndex()};
    editor.Send(language);
    EXPECT_EQ(record->text().toStdU16String(), Localised(TextKeyEntry::MACRO_ACTION_STOP_RECORD));
    EXPECT_TRUE(record->IsChecked());
    record->click();
    editor.Send(language);
    EXPECT_EQ(record->text().toStdU16String(), Localised(u"IDS_COMPOSITE_MACRO_ACTION_RECORD"));
}

TEST_F(EditorComfortsTest, ADelayCellOpensOnF2OrADoubleClickEnterStoresEscapeLeaves) {
    CTesselDlg& window = StartEditorWindow();
    StoreMacros({u"Timed"});
    window.SendCommand(kIdMacroButton);
    Tessel_DlgComposite& editor = *window.KeyEditor();
    auto* list = editor.Item<QTableWidget>(kActionList);
    const QModelIndex delay = list->model()->index(0, kDelayColumn);
    const auto cellEditor = [&] { return qobject_cast<QLineEdit*>(list->indexWidget(delay)); };
    const auto rowDelay = [&] { return editor.MacroPage().WorkingCopies().Rows().Row(0).delay; };
    ActivateForTyping(editor);
    list->setFocus();
    list->setCurrentIndex(delay);

    TypeIntoWindow(editor, Qt::Key_F2);
    ASSERT_TRUE(ProcessEventsUntil([&] { return cellEditor() && cellEditor()->hasFocus(); }));
    TypeIntoWindow(editor, "129");
    TypeIntoWindow(editor, Qt::Key_Return);
    EXPECT_TRUE(ProcessEventsUntil([&] { return rowDelay() == 120; }));
    EXPECT_TRUE(ProcessEventsUntil([&] { return !cellEditor(); }));
    EXPECT_EQ(list->item(0, kDelayColumn)->text(), QStringLiteral("120"));
    EXPECT_TRUE(editor.IsModified());

    // A double-click is a click and a second press: the cell opens at once,
    // not after the slow second click's wait.
    const QPoint centre = list->visualRect(delay).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    ASSERT_NE(cellEditor(), nullptr);
    ASSERT_TRUE(ProcessEventsUntil([&] { return cellEditor()->hasFocus(); }));
    TypeIntoWindow(editor, "777");
    TypeIntoWindow(editor, Qt::Key_Escape);
    EXPECT_TRUE(ProcessEventsUntil([&] { return !cellEditor(); }));
    EXPECT_EQ(rowDelay(), 120u);
    EXPECT_EQ(list->item(0, kDelayColumn)->text(), QStringLiteral("120"));
    EXPECT_TRUE(editor.IsOpen()) << "Escape leaves the cell, not the editor";
}

TEST_F(EditorComfortsTest, TheTitleNamesTheKeyOrSaysThatTheMacroGoesToG9) {
    CTesselDlg& window = StartEditorWindow();
    const auto keyTitle = [&](std::u16string_view key) {
        return QString::fromStdU16String(SafeFormat(Localised(u"IDS_COMPOSITE_TITLE_KEY"), {key}));
    };
    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    EXPECT_EQ(editor.windowTitle(), keyTitle(Localised(u"IDS_KEYBOARD_A")));
    editor.SendCommand(kIdCancel);
    ClickKey(window, kGKey8Button);
    EXPECT_EQ(editor.windowTitle(), keyTitle(u"G8"));
    editor.SendCommand(kIdCancel);

    window.SendCommand(kIdMacroButton);
    EXPECT_EQ(editor.windowTitle().toStdU16String(), Localised(u"IDS_COMPOSITE_TITLE_MACRO_G9"));
    editor.Send({kLanguageMessage, kLanguageTag, kSimplifiedChinese});
    EXPECT_EQ(editor.windowTitle().toStdU16String(),
              m_files.LocalText(u"IDS_COMPOSITE_TITLE_MACRO_G9", kSimplifiedChinese));
    EXPECT_NE(editor.windowTitle().toStdU16String(), Localised(u"IDS_COMPOSITE_TITLE_MACRO_G9"));
}

}  // namespace
}  // namespace tessel
