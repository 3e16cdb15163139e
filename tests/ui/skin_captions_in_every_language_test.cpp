// Every caption of every skinned window fits its box in each shipped
// language: drawn off screen, no caption is wider than its box even at the
// smallest type on two lines.

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include <string>

#include "editor_key_TestBench.h"
#include "editors/CTessel_DlgProfile.h"
#include "editors/CTessel_DlgUpdate.h"
#include "editors/SceneSwitch.h"
#include "editors/Tessel_DlgCompositeIds.h"
#include "mainwindow/KeyboardView.h"
#include "mainwindow/KeyboardViewButtons.h"
#include "platform/MainWindowRequests.h"
#include "skin/qt/CPngButton.h"
#include "widgets/ColorStatic.h"

namespace tessel {
namespace {

using namespace tessel::testing;
using CaptionsTest = KeyEditorTest;

struct Language {
    uint32_t id;
    const char* name;
};
constexpr Language kShipped[] = {{0x0804, "zh-CN"}, {0x0409, "en"}, {0x040C, "fr"},
                                 {0x0C0A, "es"},    {0x0416, "pt"}, {0x0413, "nl"},
                                 {0x0421, "id"},    {0x0412, "ko"}, {0x0404, "zh-TW"}};

// The captions of `window` that are cut, one line each.
std::string CutCaptions(QWidget& window, const std::string& where) {
    std::string cut;
    const auto note = [&](QWidget& widget, const QString& text) {
        const QRect box = widget.geometry();
        cut += "\n  " + where + ": \"" + text.toStdString() + "\" at " + std::to_string(box.x()) +
               "," + std::to_string(box.y()) + " in " + std::to_string(box.width()) + "x" +
               std::to_string(box.height());
    };
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window)) {
            continue;
        }
        if (auto* button = dynamic_cast<CPngButton*>(widget); button && !button->CaptionFits()) {
            note(*button, button->text());
        }
        if (auto* label = dynamic_cast<ColorStatic*>(widget); label && !label->CaptionFits()) {
            note(*label, label->text());
        }
    }
    return cut;
}

TEST_F(CaptionsTest, EveryCaptionOfEveryWindowFitsInEveryShippedLanguage) {
    std::string cut;
    int checked = 0;
    for (const Language& language : kShipped) {
        ASSERT_TRUE(m_registry.WriteDword(u"Software\\Zerkon_PX5", u"dwLanguageId", language.id));
        CTesselDlg& window = StartEditorWindow();
        const std::string name = language.name;
        cut += CutCaptions(window, name + " main window");
        window.Keyboard()->ToggleColourKeysMode();
        cut += CutCaptions(window, name + " main window, colour keys mode");
        window.Keyboard()->ToggleColourKeysMode();

        Tessel_DlgComposite& editor = ClickKey(window, 1046);
        for (int page : {composite_ids::kKeyPageButton, composite_ids::kMacroPageButton,
                         composite_ids::kMediaPageButton, composite_ids::kFunctionPageButton}) {
            editor.SendCommand(page);
            cut += CutCaptions(editor, name + " key editor page " + std::to_string(page));
        }
        editor.CloseKeyEditor();
        ClickKey(window, 1143);
        cut += CutCaptions(editor, name + " macro editor");
        editor.CloseKeyEditor();

        CTessel_DlgProfile& manager = window.Core().Scenes()->Manager();
        manager.OpenModeless();
        cut += CutCaptions(manager, name + " scene-mode manager");
        window.Core().Scenes()->CloseSceneManager();

        bool updateShown = false;
        QTimer::singleShot(0, [&] {
            CTessel_DlgUpdate& update = *window.Core().UpdateDialog();
            cut += CutCaptions(update, name + " update dialog");
            updateShown = true;
            QTest::keyClick(&update, Qt::Key_Escape);
        });
        window.SendCommand(static_cast<int>(kCommandUpdate));
        ProcessEventsFor(std::chrono::milliseconds(20));
        EXPECT_TRUE(updateShown) << name;
        ++checked;
    }
    EXPECT_EQ(checked, 9);
    EXPECT_EQ(cut, "");
}

}  // namespace
}  // namespace tessel
