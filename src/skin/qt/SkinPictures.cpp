#include "skin/qt/SkinPictures.h"

#include "skin/qt/StartupFailure.h"

#include <QFile>
#include <QPainter>
#include <QString>
#include <QWidget>

#include <new>
#include <string>

namespace tessel {

namespace {

constexpr int kRenderMargin = 100;

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
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
        picture->load(ToQString(SkinFilePath(programFolder, relativeName)));
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
    return QPixmap(ToQString(SkinFilePath(skinFolder, name)));
}

QImage LoadPictureFile(const std::filesystem::path& path) {
    QFile file(ToQString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        EndProcessOnStartupFailure("cannot open skin picture " + path.string());
    }
    const QByteArray data = file.readAll();
    if (data.isEmpty()) {
        EndProcessOnStartupFailure("cannot read skin picture " + path.string());
    }
    QImage image = QImage::fromData(data);
    if (image.isNull()) {
        EndProcessOnStartupFailure("cannot decode skin picture " + path.string());
    }
    return image;
}

}  // namespace tessel
