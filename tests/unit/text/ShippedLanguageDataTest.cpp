// The shipped language files and language table must hold every text the
// program asks for. The sources are scanned, so a text key added to the code
// later is caught here as well.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/PrivateProfile.h"
#include "text/LanguageTable.h"
#include "text/SafeFormat.h"
#include "text/SupportedLanguages.h"

namespace tessel {
namespace {

const std::filesystem::path kSourceDir = TESSEL_SOURCE_DIR;
const std::filesystem::path kDataDir = kSourceDir / "data";
const std::filesystem::path kLanguageIni = kDataDir / "Skins" / "language.ini";
constexpr std::u16string_view kAbsent = u"\x01";

std::u16string Ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

// Every complete "IDS_..." literal in the sources.
std::set<std::u16string> TextKeysInSources() {
    const std::regex literal("\"(IDS_[A-Za-z0-9_]+)\"");
    std::set<std::u16string> keys;
    for (const auto& item : std::filesystem::recursive_directory_iterator(kSourceDir / "src")) {
        const auto extension = item.path().extension();
        if (!item.is_regular_file() || (extension != ".cpp" && extension != ".h")) {
            continue;
        }
        std::ifstream in(item.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it) {
            keys.insert(Ascii((*it)[1].str()));
        }
    }
    return keys;
}

// Keys the windows show directly; listed here because not every window may
// look them up through a literal of its own.
const char* const kDirectTextKeys[] = {
    "IDS_MAIN_OK",
    "IDS_MAIN_Cancel",
    "IDS_MAIN_Apply",
    "IDS_MAIN_DEFAULT",
    "IDS_MAIN_MACRO",
    "IDS_MAIN_PROFILE1",
    "IDS_MAIN_PROFILE2",
    "IDS_MAIN_PROFILE3",
    "IDS_MAIN_PROFILE4",
    "IDS_KEYBOARD_FUNC_COLOURFUL",
    "IDS_KEYBOARD_FUNC_JCOLOR",
    "IDS_KEYBOARD_FUNC_TOOL",
    "IDS_KEYBOARD_FUNC_DENG",
    "IDS_KEYBOARD_FUNC_USB",
    "IDS_KEYBOARD_FUNC_FX",
    "IDS_KEYBOARD_FUNC_SPEED",
    "IDS_KEYBOARD_FUNC_TEXTLIGHT",
    "IDS_KEYBOARD_FUNC_COLOR",
    "IDS_KEYBOARD_KEY_SETTING",
    "IDS_KEYBOARD_KEY_SINGLE",
    "IDS_KEYBOARD_MARCO_RESET",
    "IDS_KEYBOARD_EDIT_TISHI",
    "IDS_FUNCTION_EDIT",
    "IDS_MEDIA_EDIT",
    "IDS_MACRO_CYCLES",
    "IDS_MACRO_RECORD_DELAY",
    "IDS_MACRO_KB_KEY",
    "IDS_MACRO_MOU_KEY",
    "IDS_MACRO_NAME",
    "IDS_COMPOSITE_OK",
    "IDS_COMPOSITE_CANCEL",
    "IDS_COMPOSITE_SELECT_KEY",
    "IDS_COMPOSITE_SELECT_MACRO",
    "IDS_COMPOSITE_SELECT_MEDIA",
    "IDS_COMPOSITE_SELECT_FUNCTION",
    "IDS_COMPOSITE_MACRO_ACTION_UPTOP",
    "IDS_COMPOSITE_MACRO_ACTION_UP",
    "IDS_COMPOSITE_MACRO_ACTION_DOWN",
    "IDS_COMPOSITE_MACRO_ACTION_DOWNBOTTOM",
    "IDS_COMPOSITE_MACRO_ACTION_RECORD",
    "IDS_COMPOSITE_MACRO_ACTION_DELETE",
    "IDS_COMPOSITE_MACRO_ACTION_CLEAR",
    "IDS_POP_UP_MENU_OPEN",
    "IDS_POP_UP_MENU_STOP",
    "IDS_POP_UP_MENU_ABOUT",
    "IDS_POP_UP_MENU_EXIT",
    "IDS_BUTTON_MENU_IMPORT",
    "IDS_BUTTON_MENU_EXPORT",
    "IDS_BUTTON_MENU_ABOUT",
    "IDS_BUTTON_MENU_HIDE",
    "IDS_ABOUT_TITLE",
    "IDS_ABOUT_VERSION",
    "IDS_ABOUT_COPYRIGHT",
    "IDS_ABOUT_OK",
    "IDS_KEYBOARD_TRAY_DESC",
    "IDS_MAIN_CAPTION",
    "IDS_MAIN_DEVICE_PROMRT",
    "IDS_MIAN_DEFAULT_PROMPT",
    "IDS_MAIN_PROMPT_DEFAULT",
    "IDS_MACRO_MACRO_ACTION_COLUME_KEYS",
    "IDS_MACRO_MACRO_ACTION_COLUME_ACTION",
    "IDS_MACRO_MACRO_ACTION_COLUME_DELAY",
};

// Keys of the language table file read by name outside the table.
const char16_t* const kExtraTableKeys[] = {u"MENU_11", u"MENU_22", u"MENU_33",
                                           u"COMPOSITE_PROMPT_OSK"};

constexpr std::u16string_view kTableSections[] = {u"ENGINSH", u"CHINESE"};

bool UsedAsTextKey(const LanguageTableEntry& entry) {
    return entry.use == EntryUse::TextKey || entry.use == EntryUse::TextKeyAndText;
}

std::set<std::u16string> RequiredTextKeys() {
    std::set<std::u16string> keys = TextKeysInSources();
    for (const char* key : kDirectTextKeys) {
        keys.insert(Ascii(key));
    }
    for (const LanguageTableEntry& entry : LanguageTableEntries()) {
        if (!UsedAsTextKey(entry)) {
            continue;
        }
        keys.emplace(entry.builtIn);
        for (std::u16string_view section : kTableSections) {
            keys.insert(GetPrivateProfileString(section, entry.name, u"", 260, kLanguageIni));
        }
    }
    keys.erase(u"");
    return keys;
}

// The files of the languages the program can choose.
std::vector<std::string> ChoosableLanguageFiles() {
    std::vector<std::string> files;
    // The last supported entry is never chosen.
    for (int index = 0; index + 1 < static_cast<int>(kSupportedLanguageCount); ++index) {
        const std::u16string name = LanguageFileName(index);
        files.emplace_back(name.begin(), name.end());
    }
    return files;
}

std::u16string Text(const std::string& languageFile, std::u16string_view key) {
    return GetPrivateProfileString(u"TEXT", key, kAbsent, 260, kDataDir / languageFile);
}

TEST(ShippedLanguageData, TheSourceScanFindsTheKeyTable) {
    const std::set<std::u16string> keys = TextKeysInSources();
    EXPECT_TRUE(keys.contains(u"IDS_KEYBOARD_ESC"));
    EXPECT_TRUE(keys.contains(u"IDS_ROLL_DOWN"));
}

TEST(ShippedLanguageData, EveryLanguageFileHasEveryTextKey) {
    const std::set<std::u16string> required = RequiredTextKeys();
    for (const std::string& file : ChoosableLanguageFiles()) {
        for (const std::u16string& key : required) {
            const std::u16string text = Text(file, key);
            EXPECT_NE(text, kAbsent) << file << ": " << std::string(key.begin(), key.end());
            EXPECT_FALSE(text.empty()) << file << ": " << std::string(key.begin(), key.end());
        }
        for (int code = 1; code <= 7; ++code) {
            const std::u16string name = GetPrivateProfileString(
                u"Mode", Ascii(std::to_string(code)), kAbsent, 260, kDataDir / file);
            EXPECT_NE(name, kAbsent) << file << ": effect " << code;
        }
    }
}

TEST(ShippedLanguageData, BothTableSectionsHaveEveryEntry) {
    const int selector = ReadLanguageSelector(kLanguageIni);
    EXPECT_TRUE(selector == 0 || selector == 1);
    for (std::u16string_view section : kTableSections) {
        for (const LanguageTableEntry& entry : LanguageTableEntries()) {
            const std::u16string value =
                GetPrivateProfileString(section, entry.name, kAbsent, 1000, kLanguageIni);
            const std::string name(entry.name.begin(), entry.name.end());
            EXPECT_NE(value, kAbsent) << name;
            EXPECT_FALSE(value.empty()) << name;
            EXPECT_LT(value.size(), entry.capacity) << name << " would be cut";
        }
        for (const char16_t* key : kExtraTableKeys) {
            EXPECT_NE(GetPrivateProfileString(section, key, kAbsent, 260, kLanguageIni), kAbsent);
        }
    }
}

TEST(ShippedLanguageData, FormattedTextsTakeTheirArguments) {
    struct Case {
        const char16_t* key;
        FormatArg argument;
        const char16_t* shows;
    };
    const Case cases[] = {{u"IDS_MACRO_ERR_MAX", 100, u"100"},
                          {u"IDS_MACRO_ACTION_ERR_DELAY_MAX", 40000, u"40000"},
                          {u"IDS_UNKNOWN_KEY", 0x64, u"064"},
                          {u"Unknown Key: %03x", 0x64, u"064"}};
    for (const std::string& file : ChoosableLanguageFiles()) {
        for (const Case& c : cases) {
            EXPECT_NE(SafeFormat(Text(file, c.key), {c.argument}).find(c.shows),
                      std::u16string::npos)
                << file;
        }
    }
    for (std::u16string_view section : kTableSections) {
        const std::u16string format =
            GetPrivateProfileString(section, u"PROFILE_FORMAT_ERROR", u"", 108, kLanguageIni);
        EXPECT_NE(SafeFormat(format, {u"/x/y"}).find(u"/x/y"), std::u16string::npos);
    }
}

}  // namespace
}  // namespace tessel
