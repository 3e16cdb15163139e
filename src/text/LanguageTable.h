#pragma once
// The language table: the named texts loaded from Skins/language.ini. Each
// entry is used in one of three ways, and the API keeps them apart:
//   - text-key entries (`TextKeyEntry`): the value is a text key; the program
//     shows the language file's text for it (`LocalisedText`);
//   - text entries (`TextEntry`): the value is shown or formatted as it is;
//   - loaded, not used: read with the others, reachable only through the
//     generic entry list.
// `MACRO_NEW_PREFIX` is both: as it is when macros are decoded from the
// keyboard, as a text key everywhere else.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/TextLookup.h"

namespace tessel {

// The enumerator values are the entries' positions in load order.
enum class TextKeyEntry : std::uint8_t {
    MACRO_ACTION_RECORD_DELAY = 0,
    MACRO_NEW_PREFIX = 1,
    MACRO_ERR_MAX = 2,
    MACRO_ACTION_CLEAR_CONFIRM = 10,
    MACRO_ACTION_ERR_MODIFY = 11,
    MACRO_ACTION_ERR_DELAY_MAX = 13,
    MACRO_ACTION_RECORD = 14,
    MACRO_ACTION_STOP_RECORD = 15,
    EXTRA_MACRO_TOO_LONG = 16,
    UNKNOWN_KEY = 17,
    FUNC_KEY_DESC1 = 36,
    FUNC_KEY_DESC2 = 37,
    FUNC_KEY_DESC3 = 38,
    FUNC_KEY_DESC4 = 39,
    FUNC_KEY_DESC5 = 40,
    FUNC_KEY_DESC6 = 41,
    FUNC_KEY_DESC7 = 42,
    FUNC_KEY_DESC8 = 43,
    FUNC_KEY_DESC9 = 44,
    FUNC_KEY_DESC10 = 45,
    FUNC_KEY_DESC11 = 46,
    MACRO_DELETE_CONFIRM_OF_KEYS = 48,
    KEY_PROMPT_SET = 50,
    KEY_PROMPT_SINGLE = 51,
    KEY_PROMPT_MACRO = 52,
    KEY_PROMPT_MEDIA = 53,
    KEY_PROMPT_FUNCTION = 54,
    DEFAULT_PROFILE_NAME = 55,
    PROFILE_SELECT_PROMPT = 56,
    EXTRA_PROFILE_SPACE_TIGHT = 65,
    KEYBOARD_TRAY_DESC = 71,
    MAIN_CAPTION = 72,
    MAIN_HELP_PROMPT = 73,
    MAIN_MINIMIZE_PROMPT = 74,
    MAIN_MENU_PROMPT = 75,
    MAIN_CLOSE_PROMPT = 76,
    MAIN_PROMPT_DEFAULT = 78,
    MAIN_DEFAULT_MATRIX_PROMPT = 84,
    MAIN_NO_DEVICE_PROMPT = 85,
};

enum class TextEntry : std::uint8_t {
    MACRO_NEW_PREFIX = 1,
    PROFILE_SEELCT_PROMPT2 = 57,
    PROFILE_FORMAT_ERROR = 61,
    PROFILE_NEW = 62,
    PROFILE_TIP = 63,
    MAIN_UPDATE_ERROR_TEXT = 66,
    MAIN_BOOT_ERROR_TEXT = 67,
    MAIN_SHELL_ERROR_TEXT = 68,
    MAIN_UPDATE_BACKUP_OK = 69,
    MAIN_UPDATE_BACKUP_NG = 70,
    MAIN_BUTTON_VANTIX_VER = 77,
    MAIN_PROMPT_INPORT = 79,
    MAIN_SWITCH_FUNCTION_TEXT = 82,
    MAIN_SWITCH_COLOR_TEXT = 83,
};

enum class EntryUse : std::uint8_t { TextKey, Text, TextKeyAndText, LoadedOnly };

struct LanguageTableEntry {
    std::u16string_view name;  // key in the "ENGINSH" / "CHINESE" sections
    EntryUse use;
    std::u16string_view builtIn;  // value until the table is loaded
    std::size_t capacity;         // buffer size in UTF-16 units, terminator included
};

// Every entry of the table in load order.
inline constexpr std::size_t kLanguageTableSize = 86;
std::span<const LanguageTableEntry, kLanguageTableSize> LanguageTableEntries();

std::u16string_view EntryName(TextKeyEntry entry);
std::u16string_view EntryName(TextEntry entry);

// The names of the function-key list, index 0 to 10.
inline constexpr std::array<TextKeyEntry, 11> kFunctionKeyDescEntries = {
    TextKeyEntry::FUNC_KEY_DESC1,  TextKeyEntry::FUNC_KEY_DESC2,  TextKeyEntry::FUNC_KEY_DESC3,
    TextKeyEntry::FUNC_KEY_DESC4,  TextKeyEntry::FUNC_KEY_DESC5,  TextKeyEntry::FUNC_KEY_DESC6,
    TextKeyEntry::FUNC_KEY_DESC7,  TextKeyEntry::FUNC_KEY_DESC8,  TextKeyEntry::FUNC_KEY_DESC9,
    TextKeyEntry::FUNC_KEY_DESC10, TextKeyEntry::FUNC_KEY_DESC11,
};

// The selector of Skins/language.ini: key "language" of section "LANGUAGE"
// read as a number (no number reads as 0).
int ReadLanguageSelector(const std::filesystem::path& languageIni);
// 1 selects "ENGINSH", every other selector "CHINESE".
std::u16string_view LanguageTableSection(int selector);

// Thread-safe: loaded on the window thread, read from any thread.
class LanguageTable {
public:
    LanguageTable();  // every entry holds its built-in value

    // Reads every entry from the section chosen by the selector; a missing
    // file or key leaves the entry empty; a longer value is cut to the entry.
    void LoadLanguageTable(const std::filesystem::path& languageIni);

    std::u16string TextKey(TextKeyEntry entry) const;
    // The language file's text for the entry's current value.
    std::u16string LocalisedText(TextKeyEntry entry, const TextLookup& texts) const;
    std::u16string Value(TextEntry entry) const;
    // Any entry by load position (for checks and tools); empty beyond the table.
    std::u16string ValueAt(std::size_t position) const;

private:
    mutable std::mutex mutex_;
    std::vector<std::u16string> values_;
};

// The core of the main window's language command: writes "0" as the selector
// and reloads the table. False when the selector could not be written (the
// table is reloaded all the same).
bool RunLanguageCommand(LanguageTable& table, const std::filesystem::path& languageIni);

}  // namespace tessel
