#pragma once
// The value formats of the skin INI files (Skins/Main.ini, Composite.ini,
// Profile.ini, UpdateDlg.ini): rectangle entries, picture offsets, the
// "SCREEN" keys and the lighting caption sections.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tessel {

inline constexpr std::u16string_view kButtonInfoSection = u"BUTTONINFO";
inline constexpr std::u16string_view kPictureOffsetSection = u"BUTTONINFO2";
inline constexpr std::u16string_view kScreenSection = u"SCREEN";
inline constexpr std::u16string_view kMissingRectEntry = u"1,1,1,1,x";

// Client-area rectangle of a control, in pixels.
struct SkinRect {
    int left, top, width, height;
    friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

// "left,top,width,height" read like "%d,%d,%d,%d"; anything after the fourth
// number is ignored. A value with fewer than four numbers keeps the numbers it
// has and takes 1 for the missing ones, the same as a missing entry, so a
// half-written entry gives a tiny control instead of a garbage size.
SkinRect ParseSkinRect(std::u16string_view value);

// A rectangle entry (260-unit buffer, default "1,1,1,1,x").
SkinRect ReadSkinRect(const std::filesystem::path& ini, std::u16string_view section,
                      std::u16string_view key);

// True for the rectangle a missing entry gives: a skinned button placed there
// is disabled and hidden.
inline bool IsHiddenButtonRect(const SkinRect& rect) {
    return rect.left == 1 && rect.top == 1;
}

// Left and top of the part of a source picture a control shows: the first two
// numbers of an entry of the rectangle form (usually in "BUTTONINFO2").
struct PictureOffset {
    int x, y;
    friend bool operator==(const PictureOffset&, const PictureOffset&) = default;
};
PictureOffset ReadPictureOffset(const std::filesystem::path& ini, std::u16string_view section,
                                std::u16string_view key);

// The "BUTTONINFO2" key of an arrow picture: base name ("UP_ARROW_LEFT",
// "DOWN_ARROW_LEFT", "UP_ARROW_RIGHT", "DOWN_ARROW_RIGHT") followed by the arrow
// index + 1.
std::u16string ArrowOffsetKey(std::u16string_view baseName, int arrowIndex);

// Background and shape mask of a skinned window, section "SCREEN". Names are
// relative to the skin folder; an empty "Mask" means the background serves as
// mask; an empty `main` means the window has no background.
struct ScreenPictures {
    std::u16string main;
    std::u16string mask;
};
ScreenPictures ReadScreenPictures(const std::filesystem::path& ini);

// "Link" of section "SCREEN" (Skins/Main.ini): the link button's target.
inline constexpr std::u16string_view kDefaultSkinLink = u"https://www.zerkon.example/";
std::u16string ReadScreenLink(const std::filesystem::path& ini);

// Why a skin INI file gives no values: "skin file PATH is missing", "... is
// empty", "cannot read PATH: not a regular file"; empty when it can be read.
std::string SkinIniProblem(const std::filesystem::path& ini);

// The folder of a window's INI file, with a trailing separator.
std::filesystem::path SkinFolderOf(const std::filesystem::path& ini);

// The caption section of Skins/Main.ini for the language-table selector: 0
// gives "Control_Name", 1 "Control_Name1", anything else none (the captions
// stay as they are).
std::optional<std::u16string_view> CaptionSectionFor(int selector);
// One caption (260-unit buffer, default empty).
std::u16string ReadCaption(const std::filesystem::path& mainIni, std::u16string_view section,
                           std::u16string_view key);

}  // namespace tessel
