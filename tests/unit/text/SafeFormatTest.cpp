#include "text/SafeFormat.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(SafeFormat, FillsTheKnownConversions) {
    EXPECT_EQ(SafeFormat(u"Unknown Key: %03x", {0x64}), u"Unknown Key: 064");
    EXPECT_EQ(SafeFormat(u"%x %X %03x", {0xABC, 0xabc, 0x1234}), u"abc ABC 1234");
    EXPECT_EQ(SafeFormat(u"at most %d macros", {100}), u"at most 100 macros");
    EXPECT_EQ(SafeFormat(u"%s%d", {u"Macro", 3}), u"Macro3");
    EXPECT_EQ(SafeFormat(u"wrong file format: \n  %s", {std::u16string(u"/a/b")}),
              u"wrong file format: \n  /a/b");
    EXPECT_EQ(SafeFormat(u"100%% sure", {}), u"100% sure");
    EXPECT_EQ(SafeFormat(u"%u", {4000000000u}), u"4000000000");
}

TEST(SafeFormat, NegativeNumbersAndPadding) {
    EXPECT_EQ(SafeFormat(u"%d", {-5}), u"-5");
    EXPECT_EQ(SafeFormat(u"%03d|%3d|%-3d", {-5, -5, 7}), u"-05| -5|%-3d");
    EXPECT_EQ(SafeFormat(u"%x", {-1}), u"ffffffff");
    EXPECT_EQ(SafeFormat(u"%d", {-9223372036854775807LL - 1}), u"-9223372036854775808");
    EXPECT_EQ(SafeFormat(u"[%5s]", {u"ab"}), u"[   ab]");
}

TEST(SafeFormat, WhatItCannotFillStaysAsItStands) {
    EXPECT_EQ(SafeFormat(u"%s%s%n", {0x64}), u"%s%s%n");
    EXPECT_EQ(SafeFormat(u"%d and %d", {1}), u"1 and %d");
    EXPECT_EQ(SafeFormat(u"%s%d", {7}), u"%s7") << "a number is not a text";
    EXPECT_EQ(SafeFormat(u"%d", {u"text"}), u"%d");
    EXPECT_EQ(SafeFormat(u"%p %n %ls %5.2f %", {1}), u"%p %n %ls %5.2f %");
    EXPECT_EQ(SafeFormat(u"%999999999d", {1}), u"%999999999d") << "no huge padding";
    EXPECT_EQ(SafeFormat(u"trailing %0", {1}), u"trailing %0");
}

}  // namespace
}  // namespace tessel
