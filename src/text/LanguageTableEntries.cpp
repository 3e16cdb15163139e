// The entries of the language table in load order, with their use, built-in
// value and buffer size.

#include <array>

#include "text/LanguageTable.h"

namespace tessel {
namespace {

constexpr std::size_t kEntryCapacity = 108;

constexpr std::array<LanguageTableEntry, kLanguageTableSize> kEntries = {{
    {u"MACRO_ACTION_RECORD_DELAY", EntryUse::TextKey, u"IDS_MACRO_ACTION_RECORD_DELAY",
     kEntryCapacity},
    {u"MACRO_NEW_PREFIX", EntryUse::TextKeyAndText, u"IDS_MACRO_NEW_PREFIX", kEntryCapacity},
    {u"MACRO_ERR_MAX", EntryUse::TextKey, u"IDS_MACRO_ERR_MAX", kEntryCapacity},
    {u"MACRO_ERR_SAME", EntryUse::LoadedOnly, u"IDS_MACRO_ERR_SAME", kEntryCapacity},
    {u"MACRO_ERR_NAME_SYSTEM", EntryUse::LoadedOnly, u"IDS_MACRO_ERR_NAME_SYSTEM", kEntryCapacity},
    {u"MACRO_DEFAULT_NAME", EntryUse::LoadedOnly, u"IDS_MACRO_DEFAULT_NAME", kEntryCapacity},
    {u"MACRO_ERR_RECORD", EntryUse::LoadedOnly, u"IDS_MACRO_ERR_RECORD", kEntryCapacity},
    {u"MACRO_KEYS_TISHI", EntryUse::LoadedOnly, u"IDS_MACRO_KEYS_TISHI", kEntryCapacity},
    {u"MACRO_ACTION_TISHI", EntryUse::LoadedOnly, u"IDS_MACRO_ACTION_TISHI", kEntryCapacity},
    {u"MACRO_DELAY_MS", EntryUse::LoadedOnly, u"hello world", kEntryCapacity},
    {u"MACRO_ACTION_CLEAR_CONFIRM", EntryUse::TextKey, u"IDS_MACRO_ACTION_CLEAR_CONFIRM",
     kEntryCapacity},
    {u"MACRO_ACTION_ERR_MODIFY", EntryUse::TextKey, u"IDS_MACRO_ACTION_ERR_MODIFY", kEntryCapacity},
    {u"MACRO_ACTION_ERR_DELAY_MIN", EntryUse::LoadedOnly, u"IDS_MACRO_ACTION_ERR_DELAY_MIN",
     kEntryCapacity},
    {u"MACRO_ACTION_ERR_DELAY_MAX", EntryUse::TextKey, u"IDS_MACRO_ACTION_ERR_DELAY_MAX",
     kEntryCapacity},
    {u"MACRO_ACTION_RECORD", EntryUse::TextKey, u"IDS_MACRO_ACTION_RECORD", kEntryCapacity},
    {u"MACRO_ACTION_STOP_RECORD", EntryUse::TextKey, u"IDS_MACRO_ACTION_STOP_RECORD",
     kEntryCapacity},
    {u"EXTRA_MACRO_TOO_LONG", EntryUse::TextKey, u"IDS_MACRO_OVER", kEntryCapacity},
    {u"UNKNOWN_KEY", EntryUse::TextKey, u"Unknown Key: %03x", kEntryCapacity},
    {u"MEDIA_PALYER_1", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_PALY_PAUSE_2", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_STOP_PALY_3", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_PREV_TRACK_4", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_Next_TRACK_5", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_V_LOW_6", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_V_ADD_7", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_MUTE_8", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_WWW_HOME_9", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_WWW_REFRESH_10", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_WWW_STOP_11", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_WWW_BACK_12", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_WWW_FORWARD_13", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_WWW_FAVORITE_14", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_WWW_SEARCH_15", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_MY_PC_16", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_CALC_17", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"MEDIA_MAIL_18", EntryUse::LoadedOnly, u"Hello world", kEntryCapacity},
    {u"FUNC_KEY_DESC1", EntryUse::TextKey, u"IDS_COMPOSITE_FUNC_KEY_OPEN", kEntryCapacity},
    {u"FUNC_KEY_DESC2", EntryUse::TextKey, u"IDS_COMPOSITE_FUNC_KEY_NEW", kEntryCapacity},
    {u"FUNC_KEY_DESC3", EntryUse::TextKey, u"IDS_COMPOSITE_FUNC_KEY_UNDO", kEntryCapacity},
    {u"FUNC_KEY_DESC4", EntryUse::TextKey, u"IDS_COMPOSITE_FUNC_KEY_SAVE", kEntryCapacity},
    {u"FUNC_KEY_DESC5", EntryUse::TextKey, u"IDS_COMPOSITE_FUNC_KEY_COPY", kEntryCapacity},
    {u"FUNC_KEY_DESC6", EntryUse::TextKey, u"IDS_COMPOSITE_FUNC_KEY_CUT", kEntryCapacity},
    {u"FUNC_KEY_DESC7", EntryUse::TextKey, u"IDS_COMPOSITE_FUNC_KEY_PASTE", kEntryCapacity},
    {u"FUNC_KEY_DESC8", EntryUse::TextKey, u"IDS_COMPOSITE_FUNC_KEY_FIND", kEntryCapacity},
    {u"FUNC_KEY_DESC9", EntryUse::TextKey, u"IDS_COMPOSITE_FUNC_KEY_SELECT_ALL", kEntryCapacity},
    {u"FUNC_KEY_DESC10", EntryUse::TextKey, u"IDS_COMPOSITE_FUNC_KEY_ZOOMOUT", kEntryCapacity},
    {u"FUNC_KEY_DESC11", EntryUse::TextKey, u"IDS_COMPOSITE_FUNC_KEY_ZOOMIN", kEntryCapacity},
    {u"APPLY_PROMPT", EntryUse::LoadedOnly, u"IDS_KEY_APPLY_PROMPT", kEntryCapacity},
    {u"MACRO_DELETE_CONFIRM_OF_KEYS", EntryUse::TextKey, u"IDS_KEY_MACRO_DELETE_CONFIRM_OF_KEYS",
     kEntryCapacity},
    {u"KEY_PROMPT", EntryUse::LoadedOnly, u"IDS_KEY_PROMPT", kEntryCapacity},
    {u"KEY_PROMPT_SET", EntryUse::TextKey, u"IDS_KEY_PROMPT_SET", kEntryCapacity},
    {u"KEY_PROMPT_SINGLE", EntryUse::TextKey, u"IDS_KEY_PROMPT_SINGLE", kEntryCapacity},
    {u"KEY_PROMPT_MACRO", EntryUse::TextKey, u"IDS_KEY_PROMPT_MACRO", kEntryCapacity},
    {u"KEY_PROMPT_MEDIA", EntryUse::TextKey, u"IDS_KEY_PROMPT_MEDIA", kEntryCapacity},
    {u"KEY_PROMPT_FUNCTION", EntryUse::TextKey, u"IDS_KEY_PROMPT_FUNCTION", kEntryCapacity},
    {u"DEFAULT_PROFILE_NAME", EntryUse::TextKey, u"IDS_DEFAULT_PROFILE_NAME", kEntryCapacity},
    {u"PROFILE_SELECT_PROMPT", EntryUse::TextKey, u"IDS_PROFILE_SELECT_PROMPT", kEntryCapacity},
    {u"PROFILE_SEELCT_PROMPT2", EntryUse::Text,
     u"When fast switch scene mode, you must first close the editor dialog box.", kEntryCapacity},
    {u"PROFILE_SELECT_PROMPT3", EntryUse::LoadedOnly, u"IDS_PROFILE_SELECT_PROMPT3",
     kEntryCapacity},
    {u"PROFILE_LOAD_PROMPT", EntryUse::LoadedOnly, u"IDS_PROFILE_LOAD_PROMPT", kEntryCapacity},
    {u"PROFILE_CHECK_PROMPT", EntryUse::LoadedOnly, u"IDS_PROFILE_CHECK_PROMPT", kEntryCapacity},
    {u"PROFILE_FORMAT_ERROR", EntryUse::Text,
     u"wrong file format, revert to the default values: \n  %s", kEntryCapacity},
    {u"PROFILE_NEW", EntryUse::Text, u"\\The new contextual  mode", kEntryCapacity},
    {u"PROFILE_TIP", EntryUse::Text, u"The current contextual  mode: ", kEntryCapacity},
    {u"PROFILE_EDITING", EntryUse::LoadedOnly, u"IDS_PROFILE_EDITING", kEntryCapacity},
    {u"EXTRA_PROFILE_SPACE_TIGHT", EntryUse::TextKey, u"EXTRA_PROFILE_SPACE_TIGHT", kEntryCapacity},
    {u"MAIN_UPDATE_ERROR_TEXT", EntryUse::Text, u"请选择正确的更新文件! ", 14},
    {u"MAIN_BOOT_ERROR_TEXT", EntryUse::Text, u"无法进入Boot模式! ", 14},
    {u"MAIN_SHELL_ERROR_TEXT", EntryUse::Text, u"无法执行更新文件! ", 12},
    {u"MAIN_UPDATE_BACKUP_OK", EntryUse::Text, u"备份成功!", 6},
    {u"MAIN_UPDATE_BACKUP_NG", EntryUse::Text, u"备份失败,请重新备份!", 12},
    {u"KEYBOARD_TRAY_DESC", EntryUse::TextKey, u"IDS_KEYBOARD_TRAY_DESC", kEntryCapacity},
    {u"MAIN_CAPTION", EntryUse::TextKey, u"IDS_MAIN_CAPTION", kEntryCapacity},
    {u"MAIN_HELP_PROMPT", EntryUse::TextKey, u"IDS_MAIN_HELP_PROMPT", kEntryCapacity},
    {u"MAIN_MINIMIZE_PROMPT", EntryUse::TextKey, u"IDS_MAIN_MINIMIZE_PROMPT", kEntryCapacity},
    {u"MAIN_MENU_PROMPT", EntryUse::TextKey, u"IDS_MAIN_MENU_PROMPT", kEntryCapacity},
    {u"MAIN_CLOSE_PROMPT", EntryUse::TextKey, u"IDS_MAIN_CLOSE_PROMPT", kEntryCapacity},
    {u"MAIN_BUTTON_VANTIX_VER", EntryUse::Text, u"V1.02", kEntryCapacity},
    {u"MAIN_PROMPT_DEFAULT", EntryUse::TextKey, u"IDS_MAIN_PROMPT_DEFAULT", kEntryCapacity},
    {u"MAIN_PROMPT_INPORT", EntryUse::Text, u"IDS_MAIN_PROMPT_INPORT", kEntryCapacity},
    {u"MAIN_PROMPT_DRIVER_TEXT", EntryUse::LoadedOnly, u"IDS_MAIN_PROMPT_DRIVER_TEXT",
     kEntryCapacity},
    {u"MAIN_PROMPT_DRIVER_TITLE", EntryUse::LoadedOnly, u"IDS_MAIN_PROMPT_DRIVER_TITLE",
     kEntryCapacity},
    {u"MAIN_SWITCH_FUNCTION_TEXT", EntryUse::Text, u"Switch to the color keys mode",
     kEntryCapacity},
    {u"MAIN_SWITCH_COLOR_TEXT", EntryUse::Text, u"Switch to the function keys mode",
     kEntryCapacity},
    {u"MAIN_DEFAULT_MATRIX_PROMPT", EntryUse::TextKey, u"IDS_MIAN_DEFAULT_PROMPT", kEntryCapacity},
    {u"MAIN_NO_DEVICE_PROMPT", EntryUse::TextKey, u"IDS_MAIN_DEVICE_PROMRT", kEntryCapacity},
}};

}  // namespace

std::span<const LanguageTableEntry, kLanguageTableSize> LanguageTableEntries() {
    return kEntries;
}

std::u16string_view EntryName(TextKeyEntry entry) {
    return kEntries[static_cast<std::size_t>(entry)].name;
}

std::u16string_view EntryName(TextEntry entry) {
    return kEntries[static_cast<std::size_t>(entry)].name;
}

}  // namespace tessel
