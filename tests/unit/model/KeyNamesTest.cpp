#include <gtest/gtest.h>

#include "ModelFakes.h"
#include "model/AssignmentLists.h"
#include "model/KeyNames.h"
#include "text/LanguageTable.h"

namespace tessel {
namespace {

class KeyNames : public ::testing::Test {
protected:
    KeyNames() {
        lookup.texts = {
            {u"IDS_KEYBOARD_ESC", u"Escape"},  {u"Unknown Key: %03x", u"Unknown Key: %03x"},
            {u"IDS_KEYBOARD_MEDIA", u"Media"}, {u"IDS_COMPOSITE_FUNC_KEY_OPEN", u"Open"},
            {u"IDS_KEYBOARD_S_ENTER", u""},
        };
    }
    test::FakeTextLookup lookup;
    LanguageTable table;
};

TEST_F(KeyNames, NamedKeyComesFromTheLanguageFile) {
    EXPECT_EQ(KeyNameOf(0x001, lookup, table), u"Escape");
    EXPECT_EQ(KeyNameOf(0x002, lookup, table), u"#Error");  // missing text key
    EXPECT_EQ(KeyNameOfListId(37, lookup), u"Escape");
    EXPECT_EQ(KeyNameOfListId(0x802D, lookup), u"");  // F13 has no text key
    EXPECT_EQ(KeyNameOfListId(75, lookup), u"");
}

TEST_F(KeyNames, UnnamedKeysGetTheFormattedUnknownKeyText) {
    EXPECT_EQ(KeyNameOf(0x064, lookup, table), u"Unknown Key: 064");
    EXPECT_EQ(KeyNameOf(0x11C, lookup, table), u"Unknown Key: 11c");  // empty translation
    EXPECT_EQ(KeyNameOf(0x203, lookup, table), u"Unknown Key: 203");  // beyond the table
    // A hostile format from a file prints what it cannot fill.
    lookup.texts[u"Unknown Key: %03x"] = u"%s %x %n";
    EXPECT_EQ(KeyNameOf(0x064, lookup, table), u"%s 64 %n");
}

TEST_F(KeyNames, BufferIsCutAndTerminated) {
    char16_t buffer[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(KeyNameOf(0x001, buffer, lookup, table), 3u);
    EXPECT_EQ(std::u16string(buffer), u"Esc");
    char16_t one[1] = {u'x'};
    EXPECT_EQ(KeyNameOf(0x001, one, lookup, table), 0u);
    EXPECT_EQ(one[0], u'\0');
}

TEST_F(KeyNames, ListEntriesAreNamedAndBounded) {
    EXPECT_EQ(MultimediaName(0, lookup, table), u"Media");
    EXPECT_EQ(MultimediaName(18, lookup, table), u"");
    EXPECT_EQ(FunctionKeyName(0, lookup, table), u"Open");
    EXPECT_EQ(FunctionKeyName(11, lookup, table), u"");
    EXPECT_EQ(MultimediaIndexOfUsage(0x0E2), 7);
    EXPECT_FALSE(MultimediaIndexOfUsage(0x0B3).has_value());
}

}  // namespace
}  // namespace tessel
