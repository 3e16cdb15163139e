#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "platform/ActivationToken.h"

namespace tessel {
namespace {

TEST(ActivationToken, OnlyWhatACompositorCouldHaveMadeIsPassedOn) {
    const struct {
        std::string text;
        bool token;
    } kCases[] = {
        {"kwin-42_ab.c", true},
        {"gnome-shell/Terminal/2105-5-host_TIME12345", true},
        {std::string(kMaxActivationToken, 'x'), true},
        {"", false},
        {std::string(kMaxActivationToken + 1, 'x'), false},
        {"two words", false},
        {"line\nbreak", false},
        {"tab\there", false},
        {"caf\xc3\xa9", false},
        {std::string("nul\0inside", 10), false},
    };
    for (const auto& one : kCases) {
        EXPECT_EQ(IsActivationToken(one.text), one.token) << one.text;
    }
}

TEST(ActivationToken, TheStartTokenIsReadOnceItIsValidAndForgottenAfterwards) {
    unsetenv(kActivationTokenVariable);
    EXPECT_FALSE(StartActivationToken());
    setenv(kActivationTokenVariable, "bad token", 1);
    EXPECT_FALSE(StartActivationToken());
    setenv(kActivationTokenVariable, "sway-7", 1);
    EXPECT_EQ(StartActivationToken(), "sway-7");
    // Reading keeps it, for a start that ends up running the window itself.
    EXPECT_EQ(StartActivationToken(), "sway-7");
    ForgetStartActivationToken();
    EXPECT_EQ(getenv(kActivationTokenVariable), nullptr);
}

}  // namespace
}  // namespace tessel
