#pragma once
// The eleven window-sized pictures every skinned button of the main window
// cuts its look from. They are drawn only while the window is shown, so they
// are decoded when it is first shown and released when it is hidden; each
// sheet file is decoded once, pictures of the same file share it.

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

    // Where the sheets are and which window they are rendered for; nothing
    // is decoded yet.
    void Load(const std::filesystem::path& programFolder, const QWidget& window);
    // Decodes and renders every sheet unless they are held already; the two
    // colour-key sheets only once they are wanted. A missing or undecodable
    // file leaves its picture unpainted; a picture that cannot be created at
    // all ends the program.
    void Decode();
    // The colour-keys view is shown: its two sheets are decoded now (when the
    // others are held) and with the others from then on.
    void WantColourSheets();
    // Drops the rendered pictures; the next Decode makes them again.
    void Release();
    bool IsDecoded() const { return m_decoded; }

    // Stable for the window's life, whether or not the picture is held.
    const QPixmap* Get(Picture picture) const { return &m_pictures[picture]; }

private:
    void DecodeSheet(int index);

    std::filesystem::path m_programFolder;
    const QWidget* m_window = nullptr;
    std::array<QPixmap, kCount> m_pictures;
    bool m_decoded = false;
    bool m_colourSheetsWanted = false;
};

}  // namespace tessel
