// The update dialog starts only what this machine can run: a Windows program
// with the execute bit (as on any FAT or NTFS stick) is refused before the
// keyboard enters boot mode; a start that still fails says how the keyboard
// comes back.

#include <gtest/gtest.h>

#include "editor_update_Fixture.h"

namespace tessel::testing {
namespace {

TEST_F(UpdateDialogTest, AnUpdaterThisMachineCannotRunLeavesTheKeyboardAlone) {
    StartWindowWithKeyboard();
    const struct {
        const char* name;
        std::string content;
        std::u16string_view reason;
    } kRefused[] = {
        {"UPDATE-Zerkon-A.exe", std::string("MZ\x90\0\x03\0\0\0PE\0\0", 13),
         u"IDS_UPDATE_REFUSED_WINDOWS"},
        {"flash.sh", "#!/no/such/shell\n", u"IDS_UPDATE_REFUSED_INTERPRETER"},
        {"notes.txt", "flash it\n", u"IDS_UPDATE_REFUSED_NOT_A_PROGRAM"},
    };
    for (const auto& refused : kRefused) {
        const auto updater = m_folder / refused.name;
        std::ofstream(updater, std::ios::binary) << refused.content;
        std::filesystem::permissions(updater, std::filesystem::perms::owner_all);
        InDialog([&](Dialog& dialog) {
            m_prompter.fileAnswers.push_back(updater.u16string());
            Click(dialog, u"CONTROL_OPENButton");
            Click(dialog, u"CONTROL_UPButton");
            ASSERT_FALSE(m_prompter.Texts().empty());
            EXPECT_EQ(m_prompter.Texts().back(), Localised(refused.reason)) << refused.name;
            EXPECT_TRUE(dialog.IsOpen());
        });
    }
    EXPECT_FALSE(BootFrameSent());
    EXPECT_EQ(SimControl<int (*)()>("TorvexSimIsPlugged")(), 1);
}

TEST_F(UpdateDialogTest, AStartThatFailsInBootModeSaysHowTheKeyboardComesBack) {
    StartWindowWithKeyboard();
    // Its interpreter is a script whose own interpreter is missing: only the
    // start itself finds out.
    const auto interpreter = m_folder / "interpreter";
    std::ofstream(interpreter) << "#!/no/such/shell\n";
    std::filesystem::permissions(interpreter, std::filesystem::perms::owner_all);
    const auto updater = m_folder / "flash";
    std::ofstream(updater) << "#!" << interpreter.string() << "\n";
    std::filesystem::permissions(updater, std::filesystem::perms::owner_all);
    InDialog([&](Dialog& dialog) {
        m_prompter.fileAnswers.push_back(updater.u16string());
        Click(dialog, u"CONTROL_OPENButton");
        Click(dialog, u"CONTROL_UPButton");
        // Boot mode takes its turn with the keyboard first.
        ASSERT_TRUE(Settle());
        ASSERT_FALSE(m_prompter.Texts().empty());
        EXPECT_EQ(m_prompter.Texts().back(), Text(TextEntry::MAIN_SHELL_ERROR_TEXT) + u"\n" +
                                                 Localised(u"IDS_UPDATE_FAILED_IN_BOOT_MODE"));
        EXPECT_NE(Localised(u"IDS_UPDATE_FAILED_IN_BOOT_MODE").find(u"unplug"),
                  std::u16string::npos);
    });
    EXPECT_TRUE(BootFrameSent());
}

}  // namespace
}  // namespace tessel::testing
