#include "model/KeyTable.h"

namespace tessel {

namespace {

struct KeyRow {
    uint16_t code;
    const char16_t* label;
    const char16_t* textKey;
    uint8_t virtualKey;
    uint8_t virtualKeyNumLockOff;
    uint8_t deviceCode;
    uint16_t listId;
};

// Every non-empty record, by code; all other indices hold empty records.
// clang-format off
constexpr KeyRow kKeyRows[] = {
    // code, label, text key, VK, VK with Num Lock off, device code, list id
    {0x001, u"Esc", u"IDS_KEYBOARD_ESC", 0x1B, 0x1B, 0x29, 37},
    {0x002, u"1", u"IDS_KEYBOARD_1", 0x31, 0x31, 0x1E, 26},
    {0x003, u"2", u"IDS_KEYBOARD_2", 0x32, 0x32, 0x1F, 27},
    {0x004, u"3", u"IDS_KEYBOARD_3", 0x33, 0x33, 0x20, 28},
    {0x005, u"4", u"IDS_KEYBOARD_4", 0x34, 0x34, 0x21, 29},
    {0x006, u"5", u"IDS_KEYBOARD_5", 0x35, 0x35, 0x22, 30},
    {0x007, u"6", u"IDS_KEYBOARD_6", 0x36, 0x36, 0x23, 31},
    {0x008, u"7", u"IDS_KEYBOARD_7", 0x37, 0x37, 0x24, 32},
    {0x009, u"8", u"IDS_KEYBOARD_8", 0x38, 0x38, 0x25, 33},
    {0x00A, u"9", u"IDS_KEYBOARD_9", 0x39, 0x39, 0x26, 34},
    {0x00B, u"0", u"IDS_KEYBOARD_0", 0x30, 0x30, 0x27, 35},
    {0x00C, u"-", u"IDS_KEYBOARD_MINUS", 0xBD, 0xBD, 0x2D, 41},
    {0x00D, u"=", u"IDS_KEYBOARD_EQU", 0xBB, 0xBB, 0x2E, 42},
    {0x00E, u"Backspace", u"IDS_KEYBOARD_BS", 0x08, 0x08, 0x2A, 38},
    {0x00F, u"Tab", u"IDS_KEYBOARD_TAB", 0x09, 0x09, 0x2B, 39},
    {0x010, u"Q", u"IDS_KEYBOARD_Q", 0x51, 0x51, 0x14, 16},
    {0x011, u"W", u"IDS_KEYBOARD_W", 0x57, 0x57, 0x1A, 22},
    {0x012, u"E", u"IDS_KEYBOARD_E", 0x45, 0x45, 0x08, 4},
    {0x013, u"R", u"IDS_KEYBOARD_R", 0x52, 0x52, 0x15, 17},
    {0x014, u"T", u"IDS_KEYBOARD_T", 0x54, 0x54, 0x17, 19},
    {0x015, u"Y", u"IDS_KEYBOARD_Y", 0x59, 0x59, 0x1C, 24},
    {0x016, u"U", u"IDS_KEYBOARD_U", 0x55, 0x55, 0x18, 20},
    {0x017, u"I", u"IDS_KEYBOARD_I", 0x49, 0x49, 0x0C, 8},
    {0x018, u"O", u"IDS_KEYBOARD_O", 0x4F, 0x4F, 0x12, 14},
    {0x019, u"P", u"IDS_KEYBOARD_P", 0x50, 0x50, 0x13, 15},
    {0x01A, u"[", u"IDS_KEYBOARD_SB1", 0xDB, 0xDB, 0x2F, 43},
    {0x01B, u"]", u"IDS_KEYBOARD_SB2", 0xDD, 0xDD, 0x30, 44},
    {0x01C, u"Enter", u"IDS_KEYBOARD_ENTER", 0x0D, 0x0D, 0x28, 36},
    {0x01D, u"Ctrl", u"IDS_KEYBOARD_LCTRL", 0xA2, 0xA2, 0xE0, 99},
    {0x01E, u"A", u"IDS_KEYBOARD_A", 0x41, 0x41, 0x04, 0},
    {0x01F, u"S", u"IDS_KEYBOARD_S", 0x53, 0x53, 0x16, 18},
    {0x020, u"D", u"IDS_KEYBOARD_D", 0x44, 0x44, 0x07, 3},
    {0x021, u"F", u"IDS_KEYBOARD_F", 0x46, 0x46, 0x09, 5},
    {0x022, u"G", u"IDS_KEYBOARD_G", 0x47, 0x47, 0x0A, 6},
    {0x023, u"H", u"IDS_KEYBOARD_H", 0x48, 0x48, 0x0B, 7},
    {0x024, u"J", u"IDS_KEYBOARD_J", 0x4A, 0x4A, 0x0D, 9},
    {0x025, u"K", u"IDS_KEYBOARD_K", 0x4B, 0x4B, 0x0E, 10},
    {0x026, u"L", u"IDS_KEYBOARD_L", 0x4C, 0x4C, 0x0F, 11},
    {0x027, u";", u"IDS_KEYBOARD_SEM", 0xBA, 0xBA, 0x33, 46},
    {0x028, u"'", u"IDS_KEYBOARD_QUOT", 0xDE, 0xDE, 0x34, 47},
    {0x029, u"`", u"IDS_KEYBOARD_AID1", 0xC0, 0xC0, 0x35, 48},
    {0x02A, u"Shift", u"IDS_KEYBOARD_LSHIFT", 0xA0, 0xA0, 0xE1, 100},
    {0x02B, u"\\", u"IDS_KEYBOARD_AV", 0xDC, 0xDC, 0x31, 45},
    {0x02C, u"Z", u"IDS_KEYBOARD_Z", 0x5A, 0x5A, 0x1D, 25},
    {0x02D, u"X", u"IDS_KEYBOARD_X", 0x58, 0x58, 0x1B, 23},
    {0x02E, u"C", u"IDS_KEYBOARD_C", 0x43, 0x43, 0x06, 2},
    {0x02F, u"V", u"IDS_KEYBOARD_V", 0x56, 0x56, 0x19, 21},
    {0x030, u"B", u"IDS_KEYBOARD_B", 0x42, 0x42, 0x05, 1},
    {0x031, u"N", u"IDS_KEYBOARD_N", 0x4E, 0x4E, 0x11, 13},
    {0x032, u"M", u"IDS_KEYBOARD_M", 0x4D, 0x4D, 0x10, 12},
    {0x033, u",", u"IDS_KEYBOARD_COMMA", 0xBC, 0xBC, 0x36, 49},
    {0x034, u".", u"IDS_KEYBOARD_PER", 0xBE, 0xBE, 0x37, 50},
    {0x035, u"/", u"IDS_KEYBOARD_VIR", 0xBF, 0xBF, 0x38, 51},
    {0x036, u"Right Shift", u"IDS_KEYBOARD_RSHIFT", 0xA1, 0xA1, 0xE5, 104},
    {0x037, u"Num *", u"IDS_KEYBOARD_S_AST", 0x6A, 0x6A, 0x55, 82},
    {0x038, u"Alt", u"IDS_KEYBOARD_LALT", 0xA4, 0xA4, 0xE2, 101},
    {0x039, u"Space", u"IDS_KEYBOARD_SPACE", 0x20, 0x20, 0x2C, 40},
    {0x03A, u"Caps Lock", u"IDS_KEYBOARD_CAPS", 0x14, 0x14, 0x39, 79},
    {0x03B, u"F1", u"IDS_KEYBOARD_F1", 0x70, 0x70, 0x3A, 52},
    {0x03C, u"F2", u"IDS_KEYBOARD_F2", 0x71, 0x71, 0x3B, 53},
    {0x03D, u"F3", u"IDS_KEYBOARD_F3", 0x72, 0x72, 0x3C, 54},
    {0x03E, u"F4", u"IDS_KEYBOARD_F4", 0x73, 0x73, 0x3D, 55},
    {0x03F, u"F5", u"IDS_KEYBOARD_F5", 0x74, 0x74, 0x3E, 56},
    {0x040, u"F6", u"IDS_KEYBOARD_F6", 0x75, 0x75, 0x3F, 57},
    {0x041, u"F7", u"IDS_KEYBOARD_F7", 0x76, 0x76, 0x40, 58},
    {0x042, u"F8", u"IDS_KEYBOARD_F8", 0x77, 0x77, 0x41, 59},
    {0x043, u"F9", u"IDS_KEYBOARD_F9", 0x78, 0x78, 0x42, 60},
    {0x044, u"F10", u"IDS_KEYBOARD_F10", 0x79, 0x79, 0x43, 61},
    {0x045, u"Pause", u"IDS_KEYBOARD_PAUSE", 0x13, 0x13, 0x48, 65},
    {0x046, u"Scroll Lock", u"IDS_KEYBOARD_SCROLL", 0x91, 0x91, 0x47, 78},
    {0x047, u"Num 7", u"IDS_KEYBOARD_S_7", 0x67, 0x24, 0x5F, 92},
    {0x048, u"Num 8", u"IDS_KEYBOARD_S_8", 0x68, 0x26, 0x60, 93},
    {0x049, u"Num 9", u"IDS_KEYBOARD_S_9", 0x69, 0x21, 0x61, 94},
    {0x04A, u"Num -", u"IDS_KEYBOARD_S_MINUS", 0x6D, 0x6D, 0x56, 83},
    {0x04B, u"Num 4", u"IDS_KEYBOARD_S_4", 0x64, 0x25, 0x5C, 89},
    {0x04C, u"Num 5", u"IDS_KEYBOARD_S_5", 0x65, 0x0C, 0x5D, 90},
    {0x04D, u"Num 6", u"IDS_KEYBOARD_S_6", 0x66, 0x27, 0x5E, 91},
    {0x04E, u"Num +", u"IDS_KEYBOARD_S_PLUS", 0x6B, 0x6B, 0x57, 84},
    {0x04F, u"Num 1", u"IDS_KEYBOARD_S_1", 0x61, 0x23, 0x59, 86},
    {0x050, u"Num 2", u"IDS_KEYBOARD_S_2", 0x62, 0x28, 0x5A, 87},
    {0x051, u"Num 3", u"IDS_KEYBOARD_S_3", 0x63, 0x22, 0x5B, 88},
    {0x052, u"Num 0", u"IDS_KEYBOARD_S_0", 0x60, 0x2D, 0x62, 95},
    {0x053, u"Num .", u"IDS_KEYBOARD_S_DEL", 0x6E, 0x2E, 0x63, 96},
    {0x054, u"Sys Req", u"IDS_KEYBOARD_SYSREQ", 0x2C, 0x2C, 0x00, 0x8012},
    {0x056, u"K45", u"IDS_KEYBOARD_K45", 0xE2, 0xE2, 0x64, 97},
    {0x057, u"F11", u"IDS_KEYBOARD_F11", 0x7A, 0x7A, 0x44, 62},
    {0x058, u"F12", u"IDS_KEYBOARD_F12", 0x7B, 0x7B, 0x45, 63},
    {0x064, u"F13", u"", 0x7C, 0x7C, 0x00, 0x802D},
    {0x070, u"ROMA (133)", u"IDS_KEYBOARD_ROMA", 0xFF, 0xFF, 0x88, 0x8018},
    {0x071, u"KL", u"IDS_KEYBOARD_KL", 0xE9, 0xE9, 0x91, 0x8019},
    {0x072, u"KR", u"IDS_KEYBOARD_KR", 0xFF, 0xFF, 0x90, 0x801A},
    {0x073, u"K56", u"IDS_KEYBOARD_K56", 0xC1, 0xC1, 0x87, 0x8014},
    {0x079, u"CHG (132)", u"IDS_KEYBOARD_CHG", 0xFF, 0xFF, 0x8A, 0x8017},
    {0x07B, u"N-CHG (131)", u"IDS_KEYBOARD_N_CHG", 0xEB, 0xEB, 0x8B, 0x8016},
    {0x07D, u"K14", u"IDS_KEYBOARD_K14", 0xFF, 0xFF, 0x89, 0x8013},
    {0x07E, u"K107", u"IDS_KEYBOARD_K107", 0xC2, 0xC2, 0x85, 0x8015},
    {0x110, u"Prev Track", u"IDS_KEYBOARD_PREV_TRACK", 0xB1, 0xB1, 0xD0, 0x8021},
    {0x119, u"Next Track", u"IDS_KEYBOARD_NEXT_TRACK", 0xB0, 0xB0, 0xD1, 0x8022},
    {0x11C, u"Num Enter", u"IDS_KEYBOARD_S_ENTER", 0x0D, 0x0D, 0x58, 85},
    {0x11D, u"Right Ctrl", u"IDS_KEYBOARD_RCTRL", 0xA3, 0xA3, 0xE4, 103},
    {0x120, u"Mute", u"IDS_KEYBOARD_MUTE", 0xAD, 0xAD, 0xCD, 0x8025},
    {0x121, u"Calc", u"IDS_KEYBOARD_CALC", 0xB7, 0xB7, 0xC4, 0x801C},
    {0x122, u"Play/Pause", u"IDS_KEYBOARD_PLAY", 0xB3, 0xB3, 0xCE, 0x801F},
    {0x124, u"Stop Play", u"IDS_KEYBOARD_STOP", 0xB2, 0xB2, 0xCF, 0x8020},
    {0x12E, u"V-", u"IDS_KEYBOARD_VOL_SUB", 0xAE, 0xAE, 0xC1, 0x8024},
    {0x130, u"V+", u"IDS_KEYBOARD_VOL_ADD", 0xAF, 0xAF, 0xC0, 0x8023},
    {0x132, u"WWW Home", u"IDS_KEYBOARD_W_HOME", 0xAC, 0xAC, 0xC7, 0x8026},
    {0x135, u"Num /", u"IDS_KEYBOARD_S_VIR", 0x6F, 0x6F, 0x54, 81},
    {0x136, u"Right Shift", u"IDS_KEYBOARD_RSHIFT", 0xA1, 0xA1, 0xE5, 104},
    {0x137, u"Print Screen", u"IDS_KEYBOARD_PRINT", 0x2C, 0x2C, 0x46, 64},
    {0x138, u"Right Alt", u"IDS_KEYBOARD_RALT", 0xA5, 0xA5, 0xE6, 105},
    {0x145, u"Num Lock", u"IDS_KEYBOARD_NUM", 0x90, 0x90, 0x53, 80},
    {0x146, u"Break", u"IDS_KEYBOARD_BREAK", 0x03, 0x03, 0x48, 66},
    {0x147, u"Home", u"IDS_KEYBOARD_HOME", 0x24, 0x24, 0x4A, 69},
    {0x148, u"↑", u"IDS_KEYBOARD_UP", 0x26, 0x26, 0x52, 73},
    {0x149, u"Page Up", u"IDS_KEYBOARD_PAGE_UP", 0x21, 0x21, 0x4B, 71},
    {0x14B, u"←", u"IDS_KEYBOARD_LEFT", 0x25, 0x25, 0x50, 76},
    {0x14D, u"→", u"IDS_KEYBOARD_RIGHT", 0x27, 0x27, 0x4F, 77},
    {0x14F, u"End", u"IDS_KEYBOARD_END", 0x23, 0x23, 0x4D, 70},
    {0x150, u"↓", u"IDS_KEYBOARD_DOWN", 0x28, 0x28, 0x51, 74},
    {0x151, u"Page Down", u"IDS_KEYBOARD_PAGE_DOWN", 0x22, 0x22, 0x4E, 72},
    {0x152, u"Insert", u"IDS_KEYBOARD_INSERT", 0x2D, 0x2D, 0x49, 67},
    {0x153, u"Delete", u"IDS_KEYBOARD_DELETE", 0x2E, 0x2E, 0x4C, 68},
    {0x15B, u"Win", u"IDS_KEYBOARD_LWIN", 0x5B, 0x5B, 0xE3, 102},
    {0x15C, u"Right Win", u"IDS_KEYBOARD_RWIN", 0x5C, 0x5C, 0xE7, 106},
    {0x15D, u"App", u"IDS_KEYBOARD_APP", 0x5D, 0x5D, 0x65, 98},
    {0x15E, u"Power", u"IDS_KEYBOARD_POWER", 0xFF, 0xFF, 0x81, 0x8001},
    {0x15F, u"Sleep", u"IDS_KEYBOARD_SLEEP", 0x5F, 0x5F, 0x82, 0x8002},
    {0x161, u"Roll Up", u"IDS_ROLL_UP", 0xD1, 0xD1, 0xF4, 110},
    {0x162, u"Roll Down", u"IDS_ROLL_DOWN", 0xD2, 0xD2, 0xF5, 111},
    {0x163, u"Wake", u"IDS_KEYBOARD_WAKE", 0xFF, 0xFF, 0x83, 0x8003},
    {0x165, u"WWW Search", u"IDS_KEYBOARD_W_SEARCH", 0xAA, 0xAA, 0xC6, 0x802C},
    {0x166, u"WWW Favorite", u"IDS_KEYBOARD_W_FAVORITE", 0xAB, 0xAB, 0xCC, 0x802B},
    {0x167, u"WWW Refresh", u"IDS_KEYBOARD_W_REFRESH", 0xA8, 0xA8, 0xCB, 0x8027},
    {0x168, u"WWW Stop", u"IDS_KEYBOARD_W_STOP", 0xA9, 0xA9, 0xCA, 0x8028},
    {0x169, u"WWW Forward", u"IDS_KEYBOARD_W_FORWARD", 0xA7, 0xA7, 0xC9, 0x802A},
    {0x16A, u"WWW Back", u"IDS_KEYBOARD_W_BACK", 0xA6, 0xA6, 0xC8, 0x8029},
    {0x16B, u"My PC", u"IDS_KEYBOARD_MY_PC", 0xB6, 0xB6, 0xC5, 0x801B},
    {0x16C, u"Mail", u"IDS_KEYBOARD_MAIL", 0xB4, 0xB4, 0xC3, 0x801D},
    {0x16D, u"Media Player", u"IDS_KEYBOARD_MEDIA", 0xB5, 0xB5, 0xC2, 0x801E},
    {0x16E, u"Pan Left", u"IDS_KEYBOARD_MOU_PANLEFT", 0x88, 0x88, 0x00, 0x8005},
    {0x16F, u"Pan Right", u"IDS_KEYBOARD_MOU_PANRIGHT", 0x89, 0x89, 0x00, 0x8006},
    {0x170, u"Double Click", u"IDS_KEYBOARD_MOU_DBCLICK", 0x8A, 0x8A, 0x00, 0x8004},
    {0x171, u"Left Button", u"IDS_KEYBOARD_MOU_LEFT", 0x01, 0x01, 0xF1, 107},
    {0x172, u"Right Button", u"IDS_KEYBOARD_MOU_RIGHT", 0x02, 0x02, 0xF2, 108},
    {0x173, u"Middle Button", u"IDS_KEYBOARD_MOU_MIDDLE", 0x04, 0x04, 0xF3, 109},
    {0x174, u"Zoom-", u"IDS_KEYBOARD_FUNC_ZOOMOUT", 0x8B, 0x8B, 0xD2, 0x8007},
    {0x175, u"Zoom+", u"IDS_KEYBOARD_FUNC_ZOOMIN", 0x8C, 0x8C, 0xD3, 0x8008},
    {0x176, u"Copy", u"IDS_KEYBOARD_FUNC_COPY", 0x97, 0x97, 0x00, 0x8009},
    {0x177, u"Cut", u"IDS_KEYBOARD_FUNC_CUT", 0x98, 0x98, 0x00, 0x800A},
    {0x178, u"Paste", u"IDS_KEYBOARD_FUNC_PASTE", 0x99, 0x99, 0x00, 0x800B},
    {0x179, u"Minimize", u"IDS_KEYBOARD_FUNC_MINI", 0x9A, 0x9A, 0x00, 0x800C},
    {0x17A, u"Maximize", u"IDS_KEYBOARD_FUNC_MAXI", 0x9B, 0x9B, 0x00, 0x800D},
    {0x17B, u"Word", u"IDS_KEYBOARD_FUNC_WORD", 0x9C, 0x9C, 0xD4, 0x800E},
    {0x17C, u"Excel", u"IDS_KEYBOARD_FUNC_EXCEL", 0x9D, 0x9D, 0xD5, 0x800F},
    {0x17D, u"PowerPoint", u"IDS_KEYBOARD_FUNC_POWERPOINT", 0x9E, 0x9E, 0x00, 0x8010},
    {0x17E, u"Calendar", u"IDS_KEYBOARD_FUNC_CALENDAR", 0x9F, 0x9F, 0x00, 0x8011},
};
// clang-format on

constexpr std::array<KeyRecord, kKeyTableSize> BuildKeyTable() {
    std::array<KeyRecord, kKeyTableSize> table{};
    for (KeyRecord& record : table) {
        record = KeyRecord{u"", kNoVirtualKey, kEmptyListId, kNoVirtualKey, devicecode::kNone, u""};
    }
    for (const KeyRow& row : kKeyRows) {
        table[KeyIndexOf(row.code)] =
            KeyRecord{row.label,      row.virtualKey, row.listId, row.virtualKeyNumLockOff,
                      row.deviceCode, row.textKey};
    }
    return table;
}

constexpr std::array<KeyRecord, kKeyTableSize> kKeyTable = BuildKeyTable();

}  // namespace

// clang-format off
const std::array<uint16_t, kConsumerUsageCount> kConsumerUsages = {
    0x0E9, 0x0EA, 0x183, 0x18A, 0x192, 0x194, 0x221, 0x223,
    0x224, 0x225, 0x226, 0x227, 0x22A, 0x0E2, 0x0CD, 0x0B7,
    0x0B6, 0x0B5, 0,     0,     0,     0,     0,     0,
    0,     0,     0,     0,     0,     0,     0,     0,
};
// clang-format on

const std::array<KeyRecord, kKeyTableSize>& KeyTable() {
    return kKeyTable;
}

const KeyRecord* KeyRecordOf(uint16_t code) {
    const uint16_t index = KeyIndexOf(code);
    return index < kKeyTableSize ? &kKeyTable[index] : nullptr;
}

uint16_t ListIdOf(uint16_t code) {
    const KeyRecord* record = KeyRecordOf(code);
    return record ? record->listId : kEmptyListId;
}

uint16_t KeyCodeOfListId(uint16_t listId) {
    for (uint16_t index = 0; index < kKeyTableSize; ++index) {
        if (kKeyTable[index].listId == listId) {
            return KeyCodeOfIndex(index);
        }
    }
    return kNoKey;
}

UsageRef UsageOf(uint16_t code) {
    const KeyRecord* record = KeyRecordOf(code);
    const uint8_t d = record ? record->deviceCode : devicecode::kNone;
    if (d == devicecode::kNone || d == devicecode::kInvalid) {
        return {};
    }
    if (d >= devicecode::kFirstDesktop && d <= devicecode::kLastDesktop) {
        return {usagepage::kGenericDesktop, d};
    }
    if (d >= devicecode::kFirstMouse && d <= devicecode::kLastMouse) {
        return {usagepage::kMouse, d};
    }
    // The consumer range travels as a keyboard usage too.
    return {usagepage::kKeyboard, d};
}

uint16_t KeyCodeOfUsage(UsageRef usage) {
    uint16_t wanted = 0;
    switch (usage.page) {
        case usagepage::kKeyboard:
            wanted = usage.usage;
            break;
        case usagepage::kGenericDesktop:
            if (usage.usage >= devicecode::kFirstDesktop &&
                usage.usage <= devicecode::kLastDesktop) {
                wanted = usage.usage;
            }
            break;
        case usagepage::kConsumer:
            for (int i = 0; i < kConsumerUsageCount; ++i) {
                if (kConsumerUsages[i] != 0 && kConsumerUsages[i] == usage.usage) {
                    wanted = static_cast<uint16_t>(devicecode::kFirstConsumer + i);
                    break;
                }
            }
            break;
        default:
            break;
    }
    // A usage beyond one byte matches no device code; 0 finds the empty record
    // at index 0 and so gives no key.
    if (wanted > 0xFF) {
        return kNoKey;
    }
    for (uint16_t index = 0; index < kKeyTableSize; ++index) {
        if (kKeyTable[index].deviceCode == wanted) {
            return KeyCodeOfIndex(index);
        }
    }
    return kNoKey;
}

}  // namespace tessel
