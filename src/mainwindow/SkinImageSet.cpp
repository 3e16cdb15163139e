#include "mainwindow/SkinImageSet.h"

#include "skin/qt/SkinPictures.h"
#include "skin/qt/StartupFailure.h"

#include <QImage>

#include <string>
#include <string_view>

namespace tessel {

namespace {

// Table order; the four state sheets are loaded twice.
constexpr std::u16string_view kFiles[SkinImageSet::kCount] = {
    u"Skins\\main_normal.jpg",  u"Skins\\main_over.jpg",    u"Skins\\main_down.jpg",
    u"Skins\\main_disable.jpg", u"Skins\\main_normal.jpg",  u"Skins\\main_over.jpg",
    u"Skins\\main_down.jpg",    u"Skins\\main_disable.jpg", u"Skins\\Arrow.jpg",
    u"Skins\\main_color0.jpg",  u"Skins\\main_color1.jpg",
};

}  // namespace

void SkinImageSet::Load(const std::filesystem::path& programFolder, const QWidget& window) {
    for (int i = 0; i < kCount; ++i) {
        const std::unique_ptr<QImage> picture = LoadSkinPicture(programFolder, kFiles[i]);
        if (!picture) {
            EndProcessOnStartupFailure("no memory for the skin pictures");
        }
        RenderSkinPicture(m_pictures[i], *picture, window);
    }
}

void SkinImageSet::Release() {
    for (QPixmap& picture : m_pictures) {
        picture = QPixmap();
    }
}

}  // namespace tessel
