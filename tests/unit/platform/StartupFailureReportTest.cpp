// A reason to give up reaches standard error always, and the message box only
// while one is wanted.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Prompter.h"
#include "platform/StartupFailureReport.h"

namespace tessel {
namespace {

class RecordingPrompter final : public Prompter {
public:
    std::vector<std::u16string> texts;
    std::vector<PromptIcon> icons;

    PromptAnswer ShowMessage(const std::u16string& text, const std::u16string&, PromptButtons,
                             PromptIcon icon) override {
        texts.push_back(text);
        icons.push_back(icon);
        return PromptAnswer::Ok;
    }
    std::optional<std::u16string> AskOpenFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::u16string> AskSaveFile(const FileDialogRequest&) override { return {}; }
};

TEST(StartupFailureReport, TheReasonGoesToStandardErrorAndToTheBoxWhileOneIsSet) {
    RecordingPrompter prompter;
    SetStartupFailurePrompter(&prompter);
    ::testing::internal::CaptureStderr();
    ReportStartupFailure("cannot decode the mask picture /opt/tessel/Skins/mask.bmp");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tessel: cannot decode the mask picture /opt/tessel/Skins/mask.bmp\n");
    ASSERT_EQ(prompter.texts.size(), 1u);
    EXPECT_EQ(prompter.texts[0], u"cannot decode the mask picture /opt/tessel/Skins/mask.bmp");
    EXPECT_EQ(prompter.icons[0], PromptIcon::Error);

    SetStartupFailurePrompter(nullptr);
    ::testing::internal::CaptureStderr();
    ReportStartupFailure("no background picture");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "tessel: no background picture\n");
    EXPECT_EQ(prompter.texts.size(), 1u) << "no box without a prompter";
}

TEST(StartupFailureReport, OnlyPlatformsAUserLooksAtGetABox) {
    const struct {
        const char* platform;
        bool box;
    } cases[] = {{"xcb", true},       {"wayland", true},     {"offscreen", false},
                 {"minimal", false},  {"minimalegl", false}, {"vnc", false},
                 {"", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(PlatformHasAUser(c.platform), c.box) << c.platform;
    }
}

}  // namespace
}  // namespace tessel
