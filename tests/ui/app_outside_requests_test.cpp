// What another process may ask of the running window over its endpoint: the
// keyboard commands typed at a terminal, which the window follows, and nothing
// of its internal requests.

#include <gtest/gtest.h>
#include <unistd.h>

#include <future>

#include "MainWindowFixture.h"
#include "app/AppIdentity.h"
#include "model/LightingModel.h"
#include "model/ProfileImage.h"
#include "skin/qt/CPngButton.h"
#include "storage/ConfigFile.h"
#include "storage/KeyboardCommands.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using namespace tessel::testing;

constexpr int kKeyButtonA = 1058;

class OutsideRequestsTest : public MainWindowTest {
protected:
    // A configuration file whose only change from the defaults is key A disabled.
    std::filesystem::path RestoreFileDisablingKeyA() {
        auto image = DefaultImage();
        EntryFor(*image, 0, 0x1E)->type = static_cast<uint16_t>(AssignmentType::Disabled);
        const auto file = std::filesystem::path(m_data.path().toStdString()) / "restore.fwc";
        ConfigStore store;
        store.SetImage(std::move(image));
        EXPECT_TRUE(WriteConfigFile(file, store));
        return file;
    }
    std::optional<RequestReply> Deliver(const WindowRequest& request,
                                        const std::string& payload = {}) {
        auto reply = std::async(std::launch::async, [&] {
            return DeliverRequestWithText(kInstanceName, getpid(), kMainMarker, request, payload,
                                          20s);
        });
        ProcessEventsUntil([&] { return reply.wait_for(0ms) == std::future_status::ready; }, 25s);
        return reply.get();
    }
};

TEST_F(OutsideRequestsTest, AProfileCommandSwitchesTheKeyboardAndTheWindowFollows) {
    CTesselDlg& window = StartWindowWithKeyboard();
    ASSERT_TRUE(window.Item<CPngButton>(kProfileButtonIds[0])->IsChecked());

    const auto reply = Deliver({kKeyboardCommandMessage, kProfileTag, 2});
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->result, 1);
    EXPECT_EQ(reply->text, "profile 3 is active");
    EXPECT_EQ(SimActiveProfile(), 2);
    EXPECT_TRUE(window.Item<CPngButton>(kProfileButtonIds[2])->IsChecked());
    EXPECT_FALSE(window.Item<CPngButton>(kProfileButtonIds[0])->IsChecked());
    EXPECT_EQ(window.Core().Lighting()->CurrentProfile(), 2);
}

TEST_F(OutsideRequestsTest, ARestoreShowsTheFileInTheWindowWithNothingPending) {
    CTesselDlg& window = StartWindowWithKeyboard();
    const auto file = RestoreFileDisablingKeyA();
    window.Core().EnableApply(true);

    const auto reply = Deliver({kKeyboardCommandMessage, kRestoreTag, 0}, file.string());
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->result, 1) << reply->text;
    EXPECT_EQ(EntryFor(*m_editStore.Image(), 0, 0x1E)->type, 1);
    EXPECT_FALSE(window.Core().IsApplyEnabled());
}

// The open editor would store its copies over what the command changed.
TEST_F(OutsideRequestsTest, RestoreAndProfileAreRefusedAlikeWhileTheKeyEditorIsOpen) {
    CTesselDlg& window = StartWindowWithKeyboard();
    const auto file = RestoreFileDisablingKeyA();
    if (window.Panel()->LightingSwitchOn()) {
        window.Panel()->TurnLightingSwitchOff();
    }
    window.KeyEditor()->SetModeless(true);
    window.SendCommand(kKeyButtonA);
    ASSERT_TRUE(window.KeyEditor()->IsOpen());
    const uint16_t typeBefore = EntryFor(*m_editStore.Image(), 0, 0x1E)->type;

    const auto restore = Deliver({kKeyboardCommandMessage, kRestoreTag, 0}, file.string());
    const auto profile = Deliver({kKeyboardCommandMessage, kProfileTag, 2});
    ASSERT_TRUE(restore.has_value() && profile.has_value());
    EXPECT_EQ(restore->result, 0);
    EXPECT_EQ(profile->result, 0);
    EXPECT_EQ(restore->text, EditorOpenRefusal().line);
    EXPECT_EQ(profile->text, restore->text);
    EXPECT_EQ(EntryFor(*m_editStore.Image(), 0, 0x1E)->type, typeBefore);
    EXPECT_EQ(SimActiveProfile(), 0);
    window.KeyEditor()->CloseKeyEditor();
}

TEST_F(OutsideRequestsTest, InternalRequestsAreRefusedAndAMissingKeyboardIsSaid) {
    CTesselDlg& window = StartWindowWithKeyboard();
    ASSERT_EQ(Deliver({kOpenMessage, kOpenTag, 0})->result, 1);
    // Answered at once, carried out on the window's thread.
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.isVisible(); }));
    // The keyboard workers' hide request does nothing when another process sends it.
    const auto hidden = Deliver({0x7E01, 0, 0});
    ASSERT_TRUE(hidden.has_value());
    EXPECT_EQ(hidden->result, 0);
    EXPECT_TRUE(window.isVisible());

    SetPlugged(false);
    const auto profile = Deliver({kKeyboardCommandMessage, kProfileTag, 1});
    ASSERT_TRUE(profile.has_value());
    EXPECT_EQ(profile->result, 0);
    EXPECT_EQ(profile->text, "no keyboard is attached");
    EXPECT_EQ(SimActiveProfile(), 0);
}

}  // namespace
}  // namespace tessel
