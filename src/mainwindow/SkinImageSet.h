#pragma once
// The eleven window-sized pictures every skinned button of the main window
// cuts its look from, rendered once at start-up.

#include <QPixmap>

#include <array>
#include <filesystem>

class QWidget;

namespace tessel {

class SkinImageSet {
public:
    enum Picture {
        kNormal,
        kOver,
        kDown,
        kDisabled,
        kNormal2,
        kOver2,
        kDown2,
        kDisabled2,
        kArrow,
        kColour0,
        kColour1,
        kCount
    };

    // Loads every sheet and renders it for `window`. A missing or undecodable
    // file leaves its picture unpainted; a picture that cannot be created at
    // all ends the program.
    void Load(const std::filesystem::path& programFolder, const QWidget& window);
    void Release();

    const QPixmap* Get(Picture picture) const { return &m_pictures[picture]; }

private:
    std::array<QPixmap, kCount> m_pictures;
};

}  // namespace tessel
