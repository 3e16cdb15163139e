#pragma once
// The main window with the simulated keyboard, and the firmware update dialog
// driven from inside its own modal loop, as a user would.

#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "editors/CTessel_DlgUpdate.h"
#include "skin/SkinIni.h"
#include "support/TempFolder.h"
#include "torvex_sim.h"

namespace tessel::testing {

class UpdateDialogTest : public MainWindowTest {
protected:
    using Dialog = CTessel_DlgUpdate;

    // Opens the dialog through the window's command 32780 and runs `steps`
    // inside its modal loop; whatever is still open afterwards gets Esc.
    void InDialog(const std::function<void(Dialog&)>& steps) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            Dialog* dialog = m_window->Core().UpdateDialog();
            ASSERT_NE(dialog, nullptr);
            ASSERT_TRUE(dialog->IsOpen());
            steps(*dialog);
            ran = true;
            if (dialog->IsOpen()) {
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
        });
        m_window->SendCommand(static_cast<int>(kCommandUpdate));
        // A dialog that did not open leaves the timer for later: run it now.
        ProcessEventsFor(std::chrono::milliseconds(20));
        ASSERT_TRUE(ran);
    }

    // A real click at the centre of the button's skin entry.
    static void Click(Dialog& dialog, std::u16string_view entry) {
        const SkinRect rect = ReadSkinRect(dialog.SkinIni(), kButtonInfoSection, entry);
        const QPoint centre(rect.left + rect.width / 2, rect.top + rect.height / 2);
        QWidget* target = dialog.childAt(centre);
        ASSERT_NE(target, nullptr)
            << "nothing at the centre of " << std::string(entry.begin(), entry.end());
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&dialog, centre));
    }

    static QString ShownPath(Dialog& dialog) {
        return dialog.GetDlgItem(Dialog::kIdPath)->property("text").toString();
    }

    // Command frames the keyboard received.
    std::vector<TorvexSimFrame> CommandFrames() {
        std::vector<TorvexSimFrame> frames;
        for (const TorvexSimFrame& frame : SimFrames()) {
            if (frame.direction == TORVEX_SIM_TO_KEYBOARD &&
                frame.channel == TORVEX_SIM_CHANNEL_COMMAND) {
                frames.push_back(frame);
            }
        }
        return frames;
    }
    bool BootFrameSent() {
        for (const TorvexSimFrame& frame : CommandFrames()) {
            if (frame.bytes[3] == 0xEE) {
                return true;
            }
        }
        return false;
    }

    // A shell script that leaves `marker` behind when it runs.
    std::filesystem::path Updater(const std::string& name, bool executable) {
        const std::filesystem::path script = m_folder / name;
        std::ofstream(script) << "#!/bin/sh\necho flashed > '" << Marker().string() << "'\n";
        std::filesystem::permissions(script, executable ? std::filesystem::perms::owner_all
                                                        : std::filesystem::perms::owner_read |
                                                              std::filesystem::perms::owner_write);
        return script;
    }
    std::filesystem::path Marker() const { return m_folder / "marker"; }

    std::u16string Text(TextEntry entry) const { return m_table.Value(entry); }

    TempFolder m_folder;
};

}  // namespace tessel::testing
