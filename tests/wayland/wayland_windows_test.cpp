// The program on a real Wayland compositor: how its windows float, take the
// focus and look, and that the outside commands reach it there.

#include <QImage>

#include "WaylandProgram.h"
#include "model/KeyCode.h"
#include "model/ProfileImage.h"
#include "storage/ConfigFile.h"

namespace tessel::testing {

namespace {

using namespace std::chrono_literals;

// The compositor's background (its config) shows through where the mask cuts.
const QColor kCompositorBackground(0x20, 0x28, 0x30);

bool Floats(const SwayView& view, QSize size) {
    return view.floating && view.visible && view.rect.size() == size;
}

std::string Describe(const std::vector<SwayView>& views) {
    std::string text;
    for (const SwayView& view : views) {
        text += view.title.toStdString() + " " + std::to_string(view.rect.x()) + "," +
                std::to_string(view.rect.y()) + " " + std::to_string(view.rect.width()) + "x" +
                std::to_string(view.rect.height()) + (view.floating ? " floating" : " tiled") +
                (view.focused ? " focused" : "") + "; ";
    }
    return text;
}

class WaylandWindows : public WaylandProgram {
protected:
    // The instance in the tray, its window shown by a second start.
    pid_t StartShown() {
        const pid_t first = Start({"/Start"});
        EXPECT_TRUE(HeadlessSway::WaitUntil([&] { return Answers(first); }, 20s))
            << ErrorOutput(first);
        EXPECT_EQ(Run({}), 0);
        EXPECT_TRUE(WaitForViews(first, [&](const auto& views) {
            return views.size() == 1 && Floats(views[0], SkinSize("Main.ini"));
        })) << Describe(Views(first));
        return first;
    }

    // Clicks until `done` holds: a pointer that has just appeared may reach
    // the program only after its first press. False when no click can be made.
    bool ClickUntil(QPoint point, pid_t pid,
                    const std::function<bool(const std::vector<SwayView>&)>& done) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            std::string reason;
            if (!Click(point, reason)) {
                std::printf("no pointer click: %s\n", reason.c_str());
                m_noClick = reason;
                return false;
            }
            if (WaitForViews(pid, done, 5s)) {
                return true;
            }
        }
        ADD_FAILURE() << "the click at " << point.x() << "," << point.y() << " had no effect; "
                      << Describe(Views(pid));
        return false;
    }
    std::string m_noClick;
};

TEST_F(WaylandWindows, SecondStartShowsTheMainWindowFloatingAtItsSkinSizeAndFocused) {
    const pid_t first = StartShown();
    const auto views = Views(first);
    ASSERT_EQ(views.size(), 1u) << LastTree();
    EXPECT_TRUE(views[0].focused) << Describe(views);
    // Shown but out of sight on another workspace: the next start brings it
    // back into view with the focus.
    ASSERT_TRUE(m_sway.Command("workspace 2"));
    ASSERT_TRUE(WaitForViews(first, [](const auto& views) {
        return views.size() == 1 && !views[0].focused && !views[0].visible;
    }));
    EXPECT_EQ(Run({}), 0);
    EXPECT_TRUE(WaitForViews(first, [](const auto& views) {
        return views.size() == 1 && views[0].focused && views[0].visible;
    })) << Describe(Views(first));
    // No tray host runs on a bare compositor: said once, in the user's language.
    EXPECT_TRUE(HeadlessSway::WaitUntil([&] {
        return ErrorOutput(first).find("No system tray is running") != std::string::npos;
    })) << ErrorOutput(first);
    const std::string errors = ErrorOutput(first);
    EXPECT_EQ(errors.find("No system tray"), errors.rfind("No system tray"));
}

TEST_F(WaylandWindows, OutsideTheMaskTheCompositorShowsThrough) {
    const pid_t first = StartShown();
    const QRect window = Views(first).at(0).rect;
    const auto shot = m_sway.Folder() / "main.png";
    ASSERT_TRUE(m_sway.Screenshot(shot)) << "grim could not take the screen";
    const QImage screen(QString::fromStdString(shot.string()));
    const QImage mask(
        QString::fromStdString((m_programFolder / "Skins" / "main_mask.bmp").string()));
    ASSERT_FALSE(mask.isNull());
    // Each corner of the rounded outline, and the middle of the body.
    const struct {
        QPoint point;
        bool inside;
    } kProbes[] = {{{0, 0}, false},
                   {{mask.width() - 1, 0}, false},
                   {{0, mask.height() - 1}, false},
                   {{mask.width() - 1, mask.height() - 1}, false},
                   {{mask.width() / 2, mask.height() / 2}, true}};
    for (const auto& probe : kProbes) {
        ASSERT_EQ(mask.pixelColor(probe.point) != QColor(Qt::white), probe.inside);
        const QColor seen = screen.pixelColor(window.topLeft() + probe.point);
        EXPECT_EQ(seen == kCompositorBackground, !probe.inside)
            << probe.point.x() << "," << probe.point.y() << " " << seen.name().toStdString();
    }
}

TEST_F(WaylandWindows, UpdateDialogFloatsOverTheMainWindowAndTakesTheFocus) {
    const pid_t first = StartShown();
    ASSERT_EQ(Run({"/Update"}), 0);
    const QSize dialogSize = SkinSize("UpdateDlg.ini");
    EXPECT_TRUE(WaitForViews(first, [&](const auto& views) {
        return views.size() == 2 && Floats(views[1], dialogSize) && views[1].focused;
    })) << Describe(Views(first));
    const auto views = Views(first);
    ASSERT_EQ(views.size(), 2u);
    // Opened over its owner, not somewhere else on the screen.
    EXPECT_TRUE(views[0].rect.intersects(views[1].rect)) << Describe(views);
    EXPECT_TRUE(views[0].visible);
}

TEST_F(WaylandWindows, KillEndsTheProgramWithItsWindowShown) {
    const pid_t first = StartShown();
    ASSERT_EQ(Run({"/Kill"}), 0);
    EXPECT_EQ(m_sway.WaitForExit(first, 20s), 0) << ErrorOutput(first);
    EXPECT_TRUE(Views(first).empty());
}

TEST_F(WaylandWindows, AKeyTypedIntoTheEditorOpenedByAClickReachesTheKeyboard) {
    const pid_t first = StartShown();
    const QPoint main = Views(first).at(0).rect.topLeft();
    const QSize editorSize = SkinSize("Composite.ini");
    const bool opened =
        ClickUntil(main + SkinCentre("Main.ini", u"KEY_02D"), first, [&](const auto& views) {
            return views.size() == 2 && Floats(views[1], editorSize) && views[1].focused;
        });
    if (!opened && !m_noClick.empty()) {
        GTEST_SKIP() << m_noClick;
    }
    ASSERT_TRUE(opened);
    const QPoint editor = Views(first).at(1).rect.topLeft();
    // X is to send the 1 key from now on: typed into the editor's capture,
    // then the editor's OK and the main window's OK (Apply, then hide).
    // wtype gives its keys key codes in the order they first appear: the
    // Escape released first makes the 1 arrive as the 1 key's own code. Its
    // keyboard is new to the seat: the pause lets the program take it first.
    ASSERT_TRUE(m_sway.Type({"-s", "200", "-p", "Escape", "-k", "1"}));
    ASSERT_TRUE(ClickUntil(editor + SkinCentre("Composite.ini", u"CONTROL_OK"), first,
                           [](const auto& views) { return views.size() == 1; }));
    ASSERT_TRUE(ClickUntil(main + SkinCentre("Main.ini", u"CONTROL_OK"), first,
                           [](const auto& views) { return views.empty(); }));
    // Carried out by the instance after the Apply it was asked for first.
    const auto backup = m_userFolder / "after-apply.fwc";
    ASSERT_EQ(Run({"--backup", backup.string()}), 0);
    const auto configuration = ReadConfigFile(backup);
    ASSERT_TRUE(configuration && configuration->image);
    const KeyAssignment* x = EntryFor(*configuration->image, 0, KeyIndexOf(0x2D));
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->type, static_cast<uint16_t>(AssignmentType::Key));
    EXPECT_EQ(x->value & 0xFFFF, 0x02u) << std::hex << x->value;
}

TEST_F(WaylandWindows, EachEditorOpenedByAClickFloatsOverTheMainWindowAtItsSkinSize) {
    const struct {
        std::u16string control;  // in Main.ini
        std::string skin;        // the editor's
    } kEditors[] = {
        {u"FUNC_PROFILES", "Profile.ini"},  // scene-mode manager
        {u"FUNC_MACRO", "Composite.ini"},   // macro page of the key editor
        {u"KEY_01E", "Composite.ini"},      // key editor of A
    };
    const pid_t first = StartShown();
    const QRect main = Views(first).at(0).rect;
    for (const auto& editor : kEditors) {
        SCOPED_TRACE(editor.skin);
        const QSize size = SkinSize(editor.skin);
        const bool opened = ClickUntil(
            main.topLeft() + SkinCentre("Main.ini", editor.control), first, [&](const auto& views) {
                return views.size() == 2 && Floats(views[1], size) && views[1].focused;
            });
        if (!opened && !m_noClick.empty()) {
            GTEST_SKIP() << m_noClick;
        }
        ASSERT_TRUE(opened);
        EXPECT_TRUE(Views(first).at(1).rect.intersects(main));
        // The focused editor closed from the compositor, as a close button would.
        ASSERT_TRUE(m_sway.Command("kill"));
        ASSERT_TRUE(WaitForViews(first, [](const auto& views) { return views.size() == 1; }))
            << Describe(Views(first));
    }
}

TEST_F(WaylandWindows, DraggingTheBodyMovesTheWindow) {
    const pid_t first = StartShown();
    const QRect before = Views(first).at(0).rect;
    // A spot of the title band that no control covers.
    const QPoint grip = before.topLeft() + QPoint(620, 40);
    const QPoint by(-50, 30);
    std::string reason;
    // The first press may come before the program has bound the new pointer.
    const bool moved = [&] {
        for (int attempt = 0; attempt < 3; ++attempt) {
            const QPoint at = Views(first).at(0).rect.topLeft();
            if (!Drag(grip + (at - before.topLeft()), grip + (at - before.topLeft()) + by,
                      reason)) {
                return false;
            }
            if (WaitForViews(
                    first,
                    [&](const auto& views) {
                        return views.size() == 1 && views[0].rect.topLeft() != before.topLeft();
                    },
                    5s)) {
                return true;
            }
        }
        return false;
    }();
    if (!moved && !reason.empty()) {
        GTEST_SKIP() << reason;
    }
    ASSERT_TRUE(moved) << Describe(Views(first));
    // The compositor moves the window from the moment the program asked it
    // to, which may be a little after the press: the way, not the distance.
    const QRect after = Views(first).at(0).rect;
    EXPECT_EQ(after.size(), before.size());
    EXPECT_LT(after.left(), before.left()) << Describe(Views(first));
    EXPECT_GT(after.top(), before.top()) << Describe(Views(first));
}

TEST_F(WaylandWindows, KeyEditorOpensOverTheMainWindow) {
    // No pointer device exists on the headless seat: the screenshot mode's
    // key option opens the editor, and its picture shows both windows.
    const auto shot = m_userFolder / "editor.png";
    ASSERT_EQ(Run({"--screenshot", shot.string(), "--edit-key", "A"}), 0);
    const QImage picture(QString::fromStdString(shot.string()));
    ASSERT_FALSE(picture.isNull());
    const QSize main = SkinSize("Main.ini");
    EXPECT_GE(picture.width(), main.width());
    EXPECT_GE(picture.height(), main.height());
}

}  // namespace

}  // namespace tessel::testing
