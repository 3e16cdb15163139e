#include "mainwindow/SkinImageSet.h"

#include "skin/qt/SkinPictures.h"
#include "skin/qt/StartupFailure.h"

#include <QImage>

#include <malloc.h>

#include <string>
#include <string_view>

namespace tessel {

namespace {

// Table order; the second row of state pictures shows the same sheets.
constexpr std::u16string_view kFiles[SkinImageSet::kCount] = {
    u"Skins\\main_normal.jpg",  u"Skins\\main_over.jpg",    u"Skins\\main_down.jpg",
    u"Skins\\main_disable.jpg", u"Skins\\main_normal.jpg",  u"Skins\\main_over.jpg",
    u"Skins\\main_down.jpg",    u"Skins\\main_disable.jpg", u"Skins\\Arrow.jpg",
    u"Skins\\main_color0.jpg",  u"Skins\\main_color1.jpg",
};

}  // namespace

void SkinImageSet::Load(const std::filesystem::path& programFolder, const QWidget& window) {
    m_programFolder = programFolder;
    m_window = &window;
}

void SkinImageSet::Decode() {
    if (m_decoded || !m_window) {
        return;
    }
    for (int i = 0; i < kCount; ++i) {
        int first = 0;
        while (kFiles[first] != kFiles[i]) {
            ++first;
        }
        if (first < i) {
            m_pictures[i] = m_pictures[first];  // shared, not copied
            continue;
        }
        const std::unique_ptr<QImage> picture = LoadSkinPicture(m_programFolder, kFiles[i]);
        if (!picture) {
            EndProcessOnStartupFailure("no memory for the skin pictures");
        }
        RenderSkinPicture(m_pictures[i], *picture, *m_window);
    }
    m_decoded = true;
}

void SkinImageSet::Release() {
    for (QPixmap& picture : m_pictures) {
        picture = QPixmap();
    }
    m_decoded = false;
    // The sheets were the largest blocks of the heap: give their pages back.
    malloc_trim(0);
}

}  // namespace tessel
