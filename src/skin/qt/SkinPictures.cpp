#include "skin/qt/SkinPictures.h"

#include "platform/RegularFile.h"
#include "skin/PictureBytes.h"
#include "skin/qt/StartupFailure.h"

#include <QPainter>
#include <QWidget>

#include <new>
#include <string>

namespace tessel {

namespace {

constexpr int kRenderMargin = 100;

// A picture file read with limits (a regular file, at most 64 MB) and decoded
// only when its bytes hold the whole picture; null otherwise, with the reason.
QImage ReadPicture(const std::filesystem::path& path, std::string& why) {
    const RegularFileRead file = ReadRegularFile(path, kLargestPictureBytes);
    if (!file.ok) {
        why = "cannot read skin picture " + path.string() + ": " + file.error;
        return QImage();
    }
    if (!PictureBytesComplete(file.bytes)) {
        why = "skin picture " + path.string() + " is cut off";
        return QImage();
    }
    QImage image = QImage::fromData(file.bytes.data(), static_cast<int>(file.bytes.size()));
    if (image.isNull()) {
        why = "cannot decode skin picture " + path.string();
    }
    return image;
}

}  // namespace

std::filesystem::path SkinFilePath(const std::filesystem::path& folder,
                                   std::u16string_view relativeName) {
    std::u16string name(relativeName);
    for (char16_t& c : name) {
        if (c == u'\\') {
            c = u'/';
        }
    }
    return folder / std::filesystem::path(name);
}

std::unique_ptr<QImage> LoadSkinPicture(const std::filesystem::path& programFolder,
                                        std::u16string_view relativeName) {
    std::unique_ptr<QImage> picture(new (std::nothrow) QImage());
    if (picture) {
        std::string why;
        *picture = ReadPicture(SkinFilePath(programFolder, relativeName), why);
    }
    return picture;
}

void RenderSkinPicture(QPixmap& target, const QImage& picture, const QWidget& window) {
    target = QPixmap(window.width() + kRenderMargin, window.height() + kRenderMargin);
    target.fill(Qt::transparent);
    if (picture.isNull()) {
        return;
    }
    QPainter painter(&target);
    painter.drawImage(0, 0, picture);
}

QPixmap LoadSkinBitmap(const std::filesystem::path& skinFolder, std::u16string_view name) {
    std::string why;
    return QPixmap::fromImage(ReadPicture(SkinFilePath(skinFolder, name), why));
}

QImage LoadPictureFile(const std::filesystem::path& path) {
    std::string why;
    QImage image = ReadPicture(path, why);
    if (image.isNull()) {
        EndProcessOnStartupFailure(why);
    }
    return image;
}

}  // namespace tessel
