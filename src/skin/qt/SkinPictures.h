#pragma once
// The three ways skin pictures are loaded: button sheets (decoded, then
// rendered 1:1 into an off-screen picture), lighting bitmaps, and the
// background and mask of a skinned window.

#include <QImage>
#include <QPixmap>

#include <filesystem>
#include <memory>
#include <string_view>

class QWidget;

namespace tessel {

// Skin file names are written with "\" separators; this joins them to a folder.
std::filesystem::path SkinFilePath(const std::filesystem::path& folder,
                                   std::u16string_view relativeName);

// A button sheet, e.g. u"Skins\\main_normal.jpg" under the program folder. A
// missing or undecodable file still gives a (null) picture; nothing is
// returned only when the picture object cannot be allocated.
std::unique_ptr<QImage> LoadSkinPicture(const std::filesystem::path& programFolder,
                                        std::u16string_view relativeName);

// Draws the picture 1:1 from its top-left corner into a new off-screen picture
// of the window's client size + 100 in each direction. Parts the picture does
// not cover stay transparent.
void RenderSkinPicture(QPixmap& target, const QImage& picture, const QWidget& window);

// A lighting picture from the skin folder, unscaled; null when missing.
QPixmap LoadSkinBitmap(const std::filesystem::path& skinFolder, std::u16string_view name);

// Background or mask picture of a skinned window. A window cannot be shown
// without them: any failure ends the process with a non-zero status and one
// line on standard error.
QImage LoadPictureFile(const std::filesystem::path& path);

// What a window needs of its background or mask before it is shown: the
// same checks as LoadPictureFile (a regular, whole picture file of a format
// that can be read) and the size its header gives, without decoding the
// pixels. Any failure ends the process the same way.
QSize CheckPictureFile(const std::filesystem::path& path);

// The background and mask a skin INI names, each checked as CheckPictureFile
// does; a skin that names no background ends the start with a reason.
struct CheckedSkinPictures {
    std::filesystem::path background;
    std::filesystem::path mask;  // the background when the skin names none
    QSize size;                  // the background's
};
CheckedSkinPictures CheckSkinPictures(const std::filesystem::path& skinIni,
                                      const std::filesystem::path& skinFolder);

}  // namespace tessel
