// Macro names are compared without case in every script the program's
// languages write in, so a typed name that only differs in case from the start
// of another one still counts as a clash.

#include <gtest/gtest.h>

#include <climits>
#include <iterator>

#include "model/MacroList.h"
#include "model/MacroWorkingCopies.h"
#include "model/ProfileImage.h"
#include "text/DecimalText.h"

namespace tessel {
namespace {

TEST(MacroNameCase, CapitalAndSmallLettersMatchInEachScript) {
    struct Case {
        std::u16string_view name;
        std::u16string_view typed;
        bool clash;
    };
    const Case cases[] = {
        {u"Macro1", u"MAC", true},
        {u"\u00C9t\u00E9", u"\u00E9T", true},                        // Été (French)
        {u"\u0152uvre", u"\u0153U", true},                           // Œuvre
        {u"\u0178acht", u"\u00FF", true},                            // Ÿ with ÿ
        {u"\u0132sbeer", u"\u0133S", true},                          // Ĳsbeer (Dutch)
        {u"\u0141\u00F3d\u017A", u"\u0142\u00D3D\u0179", true},      // Łódź
        {u"\uFF2D\uFF21\uFF23\uFF32\uFF2F", u"\uFF4D\uFF41", true},  // full-width MACRO
        {u"\u0386\u03BB\u03C6\u03B1", u"\u03AC\u039B", true},        // Άλφα
        {u"\u0424\u0430\u0439\u043B", u"\u0444\u0410", true},        // Файл
        {u"\u0401\u0436", u"\u0451", true},                          // Ёж
        {u"\uB9E4\uD06C\uB85C", u"\uB9E4", true},                    // Hangul has no case
        {u"\u5B8F1", u"\u5B8F", true},                               // nor has Han
        // Folding is by case only: no width, no ligatures, no other letters.
        {u"MACRO", u"\uFF4D", false},
        {u"Stra\u00DFe", u"STRASSE", false},
        {u"\u00D7", u"\u00F7", false},
        {u"\u0130stanbul", u"i", false},
        {u"Macro", u"Macro1", false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(BeginsWithIgnoringCase(cases[i].name, cases[i].typed), cases[i].clash)
            << "case " << i;
    }
}

TEST(MacroNameCase, ATypedNameThatDiffersOnlyInCaseGetsAGeneratedOne) {
    ConfigStore edit;
    edit.SetImage(DefaultImage());
    {
        auto lock = edit.Lock();
        ASSERT_TRUE(AddNewMacro(edit.Macros(), u"\u0152uvre"));
        ASSERT_TRUE(AddNewMacro(edit.Macros(), u"\uFF2D\uFF21\uFF23\uFF32\uFF2F"));
        ASSERT_TRUE(AddNewMacro(edit.Macros(), u"Plain"));
    }
    MacroWorkingCopies copies;
    copies.Load(edit);
    copies.Select(2);
    EXPECT_EQ(copies.Rename(u"\u0153U", u"M"), u"M1");
    EXPECT_EQ(copies.Rename(u"\uFF4D\uFF41", u"M"), u"M2");
    EXPECT_EQ(copies.Rename(u"\u0153x", u"M"), u"\u0153x");
}

TEST(DecimalText, WholeNumbersOfEverySize) {
    EXPECT_EQ(DecimalText(0), u"0");
    EXPECT_EQ(DecimalText(40000), u"40000");
    EXPECT_EQ(DecimalText(-7), u"-7");
    EXPECT_EQ(DecimalText(LLONG_MIN), u"-9223372036854775808");
    EXPECT_EQ(NumberedMacroName(u"Macro", 12), u"Macro12");
}

}  // namespace
}  // namespace tessel
