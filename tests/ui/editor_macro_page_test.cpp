// The macro page of the key-assignment editor end to end: macros recorded
// through the key capture, stored with OK, and sent by the main window's
// Apply to the simulated keyboard through the real library.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>

#include "editor_key_TestBench.h"
#include "editors/Tessel_DlgCompositeMacroPage.h"
#include "model/AssignmentEdits.h"
#include "model/KeyTable.h"
#include "model/MacroArea.h"
#include "model/MacroList.h"
#include "text/SafeFormat.h"
#include "widgets/MacroMemoryBar.h"

namespace tessel {
namespace {

using namespace tessel::testing;
using namespace composite_ids;

constexpr uint16_t kPlay = static_cast<uint16_t>(AssignmentType::PlayMacro);
constexpr uint16_t kCodeA = 0x01E;
constexpr uint16_t kCodeB = 0x030;

class MacroPageTest : public KeyEditorTest {
protected:
    static void Click(Tessel_DlgComposite& editor, int id) {
        editor.Item<QAbstractButton>(id)->click();
    }

    static void Record(Tessel_DlgComposite& editor, std::initializer_list<uint32_t> keys) {
        Click(editor, kRecord);
        ASSERT_TRUE(editor.MacroPage().IsRecording());
        for (uint32_t key : keys) {
            Tap(editor, key);
        }
        Click(editor, kRecord);
    }

    static std::vector<uint16_t> RowKeys(Tessel_DlgComposite& editor) {
        std::vector<uint16_t> keys;
        for (const MacroAction& row : editor.MacroPage().WorkingCopies().Rows().Rows()) {
            keys.push_back(row.keyCode);
        }
        return keys;
    }

    // Frames of each profile's key block start with its parameter write.
    int ProfilesSent() {
        int count = 0;
        for (const TorvexSimFrame& frame : SimFrames()) {
            count += frame.direction == TORVEX_SIM_TO_KEYBOARD && frame.bytes[3] == 0x06 ? 1 : 0;
        }
        return count;
    }
};

TEST_F(MacroPageTest, ARecordedMacroOnAKeyReachesTheKeyboardAndDecodesBack) {
    CTesselDlg& window = StartEditorWindow();
    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    editor.SendCommand(kMacroPageButton);
    Click(editor, kAddMacro);
    Record(editor, {evdev::kA});
    EXPECT_EQ(editor.MacroPage().WorkingCopies().Rows().Count(), 2);
    EXPECT_EQ(editor.MacroPage().Gauge().Use().Used(),
              MeasureMacroMemory(editor.MacroPage().WorkingCopies(), 1 << 20).full);
    editor.Item<QLineEdit>(kCycles)->setText(QStringLiteral("3"));
    editor.SendCommand(kIdOk);

    EXPECT_EQ(EditEntry(0, kKeyIndexA), (KeyAssignment{kPlay, 3, 1, 0, 0}));
    ApplyAndWait(window);
    const std::vector<uint8_t> area = ReadSimArea(TORVEX_SIM_AREA_MACRO, 0, 64);
    EXPECT_EQ(area[0] | area[1] << 8, 0x55AA);
    EXPECT_EQ(area[4] | area[5] << 8, 1);
    const std::size_t entry = area[16] | area[17] << 8;
    EXPECT_EQ(area[entry + 2], 3);                              // cycle count
    EXPECT_EQ(area[entry + 4] | area[entry + 5] << 8, 0xA005);  // A down, 50 ms
    EXPECT_EQ(area[entry + 6], 0x02);
    EXPECT_EQ(area[entry + 7], 0x04);
    const std::vector<uint8_t> block = SimKeyBlock(0);
    EXPECT_EQ(std::vector<uint8_t>(block.begin() + 3 * kSlotA, block.begin() + 3 * kSlotA + 3),
              (std::vector<uint8_t>{5, 1, 0}));

    const auto decoded = DecodeMacroArea(area, u"");
    ASSERT_TRUE(decoded && decoded->size() == 1);
    EXPECT_EQ(decoded->front(), EditMacros().front());
}

TEST_F(MacroPageTest, DeletingAPlayedMacroResetsEveryProfileAndResendsAllKeyBlocks) {
    CTesselDlg& window = StartEditorWindow();
    {
        const auto lock = m_editStore.Lock();
        ASSERT_TRUE(AddNewMacro(m_editStore.Macros(), u"Gone"));
        ASSERT_TRUE(AddNewMacro(m_editStore.Macros(), u"Kept"));
        m_editStore.Macros()[0].fresh = m_editStore.Macros()[1].fresh = 0;
    }
    for (int profile = 0; profile < 4; ++profile) {
        ASSERT_TRUE(EditKeyAssignment(m_editStore, profile, KeyIndexOf(kCodeA), kPlay, 1, 1));
        ASSERT_TRUE(EditKeyAssignment(m_editStore, profile, KeyIndexOf(kCodeB), kPlay, 1, 2));
    }
    window.SendCommand(kIdMacroButton);
    Tessel_DlgComposite& editor = *window.KeyEditor();
    ASSERT_EQ(editor.MacroPage().SelectedPosition(), 0);
    m_prompter.answer = PromptAnswer::No;
    Click(editor, kDeleteMacro);
    EXPECT_EQ(editor.MacroPage().Count(), 2) << "No keeps the macro";
    m_prompter.answer = PromptAnswer::Yes;
    Click(editor, kDeleteMacro);
    ASSERT_EQ(m_prompter.shown.size(), 2u);
    EXPECT_EQ(m_prompter.shown[1].buttons, PromptButtons::YesNoDefaultNo);
    EXPECT_EQ(editor.MacroPage().Count(), 1);
    editor.SendCommand(kIdOk);

    SimControl<void (*)()>("TorvexSimClearFrameLog")();
    ApplyAndWait(window);
    EXPECT_EQ(ProfilesSent(), 4);
    for (int profile = 0; profile < 4; ++profile) {
        EXPECT_EQ(EditEntry(profile, KeyIndexOf(kCodeA)).type, 0) << profile;
        const std::vector<uint8_t> block = SimKeyBlock(profile);
        EXPECT_EQ(block[3 * kSlotA], 2) << "A is A again in profile " << profile;
        EXPECT_EQ(std::vector<uint8_t>(block.begin() + 3 * 52, block.begin() + 3 * 52 + 3),
                  (std::vector<uint8_t>{5, 1, 0}))
            << "B plays \"Kept\", now the first macro, in profile " << profile;
    }
}

TEST_F(MacroPageTest, EveryMacroKeepsItsOwnRowsAcrossAddAndSelection) {
    CTesselDlg& window = StartEditorWindow();
    window.SendCommand(kIdMacroButton);
    Tessel_DlgComposite& editor = *window.KeyEditor();
    Click(editor, kAddMacro);
    Record(editor, {evdev::kA});
    Click(editor, kAddMacro);
    Record(editor, {evdev::kB});
    auto* box = editor.Item<QComboBox>(kMacroBox);
    box->setCurrentIndex(0);
    EXPECT_EQ(RowKeys(editor), (std::vector<uint16_t>{kCodeA, kCodeA}));
    box->setCurrentIndex(1);
    EXPECT_EQ(RowKeys(editor), (std::vector<uint16_t>{kCodeB, kCodeB}));
    EXPECT_EQ(editor.Item<QTableWidget>(kActionList)->rowCount(), 2);
}

TEST_F(MacroPageTest, ATypedDelayIsLimitedWithTheMessageAndStopsTheRecording) {
    CTesselDlg& window = StartEditorWindow();
    window.SendCommand(kIdMacroButton);
    Tessel_DlgComposite& editor = *window.KeyEditor();
    Click(editor, kAddMacro);
    Record(editor, {evdev::kA});
    Click(editor, kRecord);
    auto* list = editor.Item<QTableWidget>(kActionList);
    list->setCurrentCell(0, 2);
    list->edit(list->model()->index(0, 2));
    EXPECT_FALSE(editor.MacroPage().IsRecording());
    auto* field = list->findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    field->setText(QStringLiteral("40009"));
    emit list->itemDelegate()->commitData(field);

    EXPECT_EQ(editor.MacroPage().WorkingCopies().Rows().Row(0).delay, 40000u);
    EXPECT_EQ(list->item(0, 2)->text(), QStringLiteral("40000"));
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].text,
              SafeFormat(Localised(TextKeyEntry::MACRO_ACTION_ERR_DELAY_MAX), {40000, 40000}));
}

TEST_F(MacroPageTest, CancelKeepsTheMacroList) {
    CTesselDlg& window = StartEditorWindow();
    {
        const auto lock = m_editStore.Lock();
        ASSERT_TRUE(AddNewMacro(m_editStore.Macros(), u"Mine"));
    }
    const std::vector<MacroRecord> before = EditMacros();
    window.SendCommand(kIdMacroButton);
    Tessel_DlgComposite& editor = *window.KeyEditor();
    Record(editor, {evdev::kA});
    Click(editor, kAddMacro);
    editor.SendCommand(kIdCancel);
    EXPECT_EQ(EditMacros(), before);
}

}  // namespace
}  // namespace tessel
