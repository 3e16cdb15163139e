#include "text/LanguageTable.h"

#include <gtest/gtest.h>

#include <set>

#include "TextTestFiles.h"
#include "platform/PrivateProfile.h"

namespace tessel {
namespace {

class FixedTexts final : public TextLookup {
public:
    std::u16string LocalText(std::u16string_view key) const override {
        return key == u"IDS_MACRO_OVER" ? u"Too many macros" : u"#Error";
    }
};

std::string Section(const char* name, const char* entries) {
    return std::string("[") + name + "]\n" + entries;
}

TEST(LanguageTable, HoldsBuiltInValuesUntilLoaded) {
    LanguageTable table;
    EXPECT_EQ(table.TextKey(TextKeyEntry::EXTRA_MACRO_TOO_LONG), u"IDS_MACRO_OVER");
    EXPECT_EQ(table.TextKey(TextKeyEntry::UNKNOWN_KEY), u"Unknown Key: %03x");
    EXPECT_EQ(table.TextKey(TextKeyEntry::MAIN_NO_DEVICE_PROMPT), u"IDS_MAIN_DEVICE_PROMRT");
    EXPECT_EQ(table.TextKey(TextKeyEntry::FUNC_KEY_DESC11), u"IDS_COMPOSITE_FUNC_KEY_ZOOMIN");
    EXPECT_EQ(table.Value(TextEntry::PROFILE_NEW), u"\\The new contextual  mode");
    EXPECT_EQ(table.Value(TextEntry::MAIN_UPDATE_BACKUP_OK), u"\u5907\u4EFD\u6210\u529F!");
    EXPECT_EQ(table.LocalisedText(TextKeyEntry::EXTRA_MACRO_TOO_LONG, FixedTexts()),
              u"Too many macros");
    EXPECT_EQ(table.ValueAt(kLanguageTableSize), u"");
}

TEST(LanguageTable, EntryListIsConsistent) {
    std::set<std::u16string_view> names;
    std::size_t textKeys = 0, texts = 0, both = 0;
    for (const LanguageTableEntry& entry : LanguageTableEntries()) {
        EXPECT_TRUE(names.insert(entry.name).second) << "duplicate entry";
        EXPECT_LT(entry.builtIn.size(), entry.capacity);
        textKeys += entry.use == EntryUse::TextKey;
        texts += entry.use == EntryUse::Text;
        both += entry.use == EntryUse::TextKeyAndText;
    }
    EXPECT_EQ(textKeys, 38u);
    EXPECT_EQ(texts, 13u);
    EXPECT_EQ(both, 1u);
    // The typed names point at the entries of the same name and use.
#define TESSEL_EXPECT_TEXT_KEY(name)                                                    \
    EXPECT_EQ(EntryName(TextKeyEntry::name), u## #name);                                \
    EXPECT_NE(LanguageTableEntries()[static_cast<std::size_t>(TextKeyEntry::name)].use, \
              EntryUse::Text);
#define TESSEL_EXPECT_TEXT(name)                                                     \
    EXPECT_EQ(EntryName(TextEntry::name), u## #name);                                \
    EXPECT_NE(LanguageTableEntries()[static_cast<std::size_t>(TextEntry::name)].use, \
              EntryUse::TextKey);
    TESSEL_EXPECT_TEXT_KEY(MACRO_ACTION_RECORD_DELAY)
    TESSEL_EXPECT_TEXT_KEY(MACRO_NEW_PREFIX)
    TESSEL_EXPECT_TEXT_KEY(MACRO_ERR_MAX)
    TESSEL_EXPECT_TEXT_KEY(MACRO_ACTION_CLEAR_CONFIRM)
    TESSEL_EXPECT_TEXT_KEY(MACRO_ACTION_ERR_MODIFY)
    TESSEL_EXPECT_TEXT_KEY(MACRO_ACTION_ERR_DELAY_MAX)
    TESSEL_EXPECT_TEXT_KEY(MACRO_ACTION_RECORD)
    TESSEL_EXPECT_TEXT_KEY(MACRO_ACTION_STOP_RECORD)
    TESSEL_EXPECT_TEXT_KEY(EXTRA_MACRO_TOO_LONG)
    TESSEL_EXPECT_TEXT_KEY(UNKNOWN_KEY)
    TESSEL_EXPECT_TEXT_KEY(FUNC_KEY_DESC1)
    TESSEL_EXPECT_TEXT_KEY(FUNC_KEY_DESC6)
    TESSEL_EXPECT_TEXT_KEY(FUNC_KEY_DESC11)
    TESSEL_EXPECT_TEXT_KEY(MACRO_DELETE_CONFIRM_OF_KEYS)
    TESSEL_EXPECT_TEXT_KEY(KEY_PROMPT_SET)
    TESSEL_EXPECT_TEXT_KEY(KEY_PROMPT_SINGLE)
    TESSEL_EXPECT_TEXT_KEY(KEY_PROMPT_MACRO)
    TESSEL_EXPECT_TEXT_KEY(KEY_PROMPT_MEDIA)
    TESSEL_EXPECT_TEXT_KEY(KEY_PROMPT_FUNCTION)
    TESSEL_EXPECT_TEXT_KEY(DEFAULT_PROFILE_NAME)
    TESSEL_EXPECT_TEXT_KEY(PROFILE_SELECT_PROMPT)
    TESSEL_EXPECT_TEXT_KEY(EXTRA_PROFILE_SPACE_TIGHT)
    TESSEL_EXPECT_TEXT_KEY(KEYBOARD_TRAY_DESC)
    TESSEL_EXPECT_TEXT_KEY(MAIN_CAPTION)
    TESSEL_EXPECT_TEXT_KEY(MAIN_HELP_PROMPT)
    TESSEL_EXPECT_TEXT_KEY(MAIN_MINIMIZE_PROMPT)
    TESSEL_EXPECT_TEXT_KEY(MAIN_MENU_PROMPT)
    TESSEL_EXPECT_TEXT_KEY(MAIN_CLOSE_PROMPT)
    TESSEL_EXPECT_TEXT_KEY(MAIN_PROMPT_DEFAULT)
    TESSEL_EXPECT_TEXT_KEY(MAIN_DEFAULT_MATRIX_PROMPT)
    TESSEL_EXPECT_TEXT_KEY(MAIN_NO_DEVICE_PROMPT)
    TESSEL_EXPECT_TEXT(MACRO_NEW_PREFIX)
    TESSEL_EXPECT_TEXT(PROFILE_SEELCT_PROMPT2)
    TESSEL_EXPECT_TEXT(PROFILE_FORMAT_ERROR)
    TESSEL_EXPECT_TEXT(PROFILE_NEW)
    TESSEL_EXPECT_TEXT(PROFILE_TIP)
    TESSEL_EXPECT_TEXT(MAIN_UPDATE_ERROR_TEXT)
    TESSEL_EXPECT_TEXT(MAIN_BOOT_ERROR_TEXT)
    TESSEL_EXPECT_TEXT(MAIN_SHELL_ERROR_TEXT)
    TESSEL_EXPECT_TEXT(MAIN_UPDATE_BACKUP_OK)
    TESSEL_EXPECT_TEXT(MAIN_UPDATE_BACKUP_NG)
    TESSEL_EXPECT_TEXT(MAIN_BUTTON_VANTIX_VER)
    TESSEL_EXPECT_TEXT(MAIN_PROMPT_INPORT)
    TESSEL_EXPECT_TEXT(MAIN_SWITCH_FUNCTION_TEXT)
    TESSEL_EXPECT_TEXT(MAIN_SWITCH_COLOR_TEXT)
#undef TESSEL_EXPECT_TEXT_KEY
#undef TESSEL_EXPECT_TEXT
    for (std::size_t i = 0; i < kFunctionKeyDescEntries.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        EXPECT_EQ(EntryName(kFunctionKeyDescEntries[i]),
                  u"FUNC_KEY_DESC" + std::u16string(number.begin(), number.end()));
    }
}

TEST(LanguageTable, TheSelectorChoosesTheSection) {
    test::ScratchFolder folder;
    const auto file = folder / "language.ini";
    const std::string sections =
        Section("ENGINSH", "PROFILE_TIP=english\n") + Section("CHINESE", "PROFILE_TIP=chinese\n");
    struct Case {
        const char* selector;
        const char16_t* expected;
    };
    for (const Case c : {Case{"1", u"english"}, Case{" 1 ", u"english"}, Case{"2", u"chinese"},
                         Case{"0", u"chinese"}, Case{"one", u"chinese"}, Case{"", u"chinese"},
                         Case{"1x", u"english"}}) {
        test::WriteBytes(file, std::string("[LANGUAGE]\nlanguage=") + c.selector + "\n" + sections);
        LanguageTable table;
        table.LoadLanguageTable(file);
        EXPECT_EQ(table.Value(TextEntry::PROFILE_TIP), c.expected) << c.selector;
    }
}

TEST(LanguageTable, MissingValuesBecomeEmptyAndLongOnesAreCut) {
    test::ScratchFolder folder;
    const auto file = folder / "language.ini";
    test::WriteBytes(file, Section("LANGUAGE", "language=1\n") +
                               Section("ENGINSH", ("MAIN_CAPTION=" + std::string(200, 'c') + "\n" +
                                                   "MAIN_UPDATE_BACKUP_OK=Backup done\n"
                                                   "MAIN_UPDATE_ERROR_TEXT=0123456789abcdef\n")
                                                      .c_str()));
    LanguageTable table;
    table.LoadLanguageTable(file);
    EXPECT_EQ(table.TextKey(TextKeyEntry::MAIN_CAPTION), std::u16string(107, u'c'));
    EXPECT_EQ(table.Value(TextEntry::MAIN_UPDATE_BACKUP_OK), u"Backu");
    EXPECT_EQ(table.Value(TextEntry::MAIN_UPDATE_ERROR_TEXT), u"0123456789abc");
    EXPECT_EQ(table.TextKey(TextKeyEntry::EXTRA_MACRO_TOO_LONG), u"");
    EXPECT_EQ(table.LocalisedText(TextKeyEntry::EXTRA_MACRO_TOO_LONG, FixedTexts()), u"#Error");

    table.LoadLanguageTable(folder / "missing.ini");
    for (std::size_t i = 0; i < kLanguageTableSize; ++i) {
        EXPECT_EQ(table.ValueAt(i), u"") << i;
    }
}

TEST(LanguageTable, TheLanguageCommandSelectsChineseAndReloads) {
    test::ScratchFolder folder;
    const auto file = folder / "language.ini";
    test::WriteBytes(file,
                     "; shipped\n[LANGUAGE]\nlanguage=1\n[ENGINSH]\nPROFILE_TIP=english\n"
                     "[CHINESE]\nPROFILE_TIP=chinese\n");
    LanguageTable table;
    table.LoadLanguageTable(file);
    ASSERT_EQ(table.Value(TextEntry::PROFILE_TIP), u"english");
    EXPECT_TRUE(RunLanguageCommand(table, file));
    EXPECT_EQ(ReadLanguageSelector(file), 0);
    EXPECT_EQ(table.Value(TextEntry::PROFILE_TIP), u"chinese");
    EXPECT_EQ(test::ReadBytes(file),
              "; shipped\n[LANGUAGE]\nlanguage=0\n[ENGINSH]\n"
              "PROFILE_TIP=english\n[CHINESE]\nPROFILE_TIP=chinese\n");
}

}  // namespace
}  // namespace tessel
