#include "mainwindow/SkinImageSet.h"

#include "skin/qt/SkinPictures.h"
#include "skin/qt/StartupFailure.h"

#include <QImage>

#include <malloc.h>

#include <string>
#include <string_view>
#include <utility>

namespace tessel {

namespace {

// Table order; the second row of state pictures shows the same sheets.
constexpr std::u16string_view kFiles[SkinImageSet::kCount] = {
    u"Skins\\main_normal.jpg",  u"Skins\\main_over.jpg",    u"Skins\\main_down.jpg",
    u"Skins\\main_disable.jpg", u"Skins\\main_normal.jpg",  u"Skins\\main_over.jpg",
    u"Skins\\main_down.jpg",    u"Skins\\main_disable.jpg", u"Skins\\Arrow.jpg",
    u"Skins\\main_color0.jpg",  u"Skins\\main_color1.jpg",
};

bool IsColourSheet(int picture) {
    return picture == SkinImageSet::kColour0 || picture == SkinImageSet::kColour1;
}

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
        // Two full-window sheets that only the colour-keys view shows.
        if (!IsColourSheet(i) || m_colourSheetsWanted) {
            DecodeSheet(i);
        }
    }
    m_decoded = true;
}

void SkinImageSet::WantColourSheets() {
    if (std::exchange(m_colourSheetsWanted, true) || !m_decoded) {
        return;
    }
    DecodeSheet(kColour0);
    DecodeSheet(kColour1);
}

void SkinImageSet::DecodeSheet(int index) {
    int first = 0;
    while (kFiles[first] != kFiles[index]) {
        ++first;
    }
    if (first < index) {
        m_pictures[index] = m_pictures[first];  // shared, not copied
        return;
    }
    const std::unique_ptr<QImage> picture = LoadSkinPicture(m_programFolder, kFiles[index]);
    if (!picture) {
        EndProcessOnStartupFailure("no memory for the skin pictures");
    }
    RenderSkinPicture(m_pictures[index], *picture, *m_window);
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
