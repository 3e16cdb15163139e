#include "skin/qt/SkinPictures.h"

#include "platform/RegularFile.h"
#include "skin/PictureBytes.h"
#include "skin/SkinIni.h"
#include "skin/qt/StartupFailure.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QWidget>

#include <new>
#include <optional>
#include <string>
#include <vector>

namespace tessel {

namespace {

constexpr int kRenderMargin = 100;

// A picture file's bytes, read with limits (a regular file, at most 64 MB)
// and only when they hold the whole picture; empty otherwise, with the reason.
std::optional<std::vector<uint8_t>> ReadPictureBytes(const std::filesystem::path& path,
                                                     std::string& why) {
    RegularFileRead file = ReadRegularFile(path, kLargestPictureBytes);
    if (!file.ok) {
        why = "cannot read skin picture " + path.string() + ": " + file.error;
        return std::nullopt;
    }
    if (!PictureBytesComplete(file.bytes)) {
        why = "skin picture " + path.string() + " is cut off";
        return std::nullopt;
    }
    return std::move(file.bytes);
}

// Qt refuses to decode more than this, whatever a header claims.
constexpr int kPictureAllocationLimitMb = 256;

// Bigger than any screen a skin is drawn on.
constexpr int kLargestPictureSide = 16384;

// A reader over `bytes` with the limits set before anything is decoded.
class LimitedReader {
public:
    explicit LimitedReader(const std::vector<uint8_t>& bytes)
        : data_(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                        static_cast<qsizetype>(bytes.size()))) {
        QImageReader::setAllocationLimit(kPictureAllocationLimitMb);
        buffer_.setData(data_);
        buffer_.open(QIODevice::ReadOnly);
        reader_.setDevice(&buffer_);
    }
    // The size the header declares (invalid when it tells none), or nothing
    // with the reason when the picture cannot or must not be decoded.
    std::optional<QSize> DeclaredSize(const std::filesystem::path& path, std::string& why) {
        if (!reader_.canRead()) {
            why = "cannot decode skin picture " + path.string();
            return std::nullopt;
        }
        const QSize size = reader_.size();
        if (size.width() > kLargestPictureSide || size.height() > kLargestPictureSide) {
            why = "skin picture " + path.string() + " declares " + std::to_string(size.width()) +
                  " x " + std::to_string(size.height()) + " pixels, more than " +
                  std::to_string(kLargestPictureSide) + " a side";
            return std::nullopt;
        }
        return size;
    }
    QImage Read(const std::filesystem::path& path, std::string& why) {
        QImage image = reader_.read();
        if (image.isNull()) {
            why = "cannot decode skin picture " + path.string();
        }
        return image;
    }

private:
    QByteArray data_;
    QBuffer buffer_;
    QImageReader reader_;
};

QImage ReadPicture(const std::filesystem::path& path, std::string& why) {
    const auto bytes = ReadPictureBytes(path, why);
    if (!bytes) {
        return QImage();
    }
    LimitedReader reader(*bytes);
    if (!reader.DeclaredSize(path, why)) {
        return QImage();
    }
    return reader.Read(path, why);
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

QSize CheckPictureFile(const std::filesystem::path& path) {
    std::string why;
    const auto bytes = ReadPictureBytes(path, why);
    if (!bytes) {
        EndProcessOnStartupFailure(why);
    }
    LimitedReader reader(*bytes);
    std::optional<QSize> declared = reader.DeclaredSize(path, why);
    if (!declared) {
        EndProcessOnStartupFailure(why);
    }
    QSize size = *declared;
    if (!size.isValid()) {
        size = reader.Read(path, why).size();  // a format whose header does not tell it
    }
    if (!size.isValid() || size.isEmpty()) {
        EndProcessOnStartupFailure("cannot decode skin picture " + path.string());
    }
    return size;
}

CheckedSkinPictures CheckSkinPictures(const std::filesystem::path& skinIni,
                                      const std::filesystem::path& skinFolder) {
    const ScreenPictures names = ReadScreenPictures(skinIni);
    if (names.main.empty()) {
        const std::string problem = SkinIniProblem(skinIni);
        EndProcessOnStartupFailure(
            !problem.empty() ? problem : "no background picture named in " + skinIni.string());
    }
    CheckedSkinPictures checked;
    checked.background = SkinFilePath(skinFolder, names.main);
    checked.mask = names.mask.empty() ? checked.background : SkinFilePath(skinFolder, names.mask);
    checked.size = CheckPictureFile(checked.background);
    if (checked.mask != checked.background) {
        CheckPictureFile(checked.mask);
    }
    return checked;
}

}  // namespace tessel
