#pragma once
// The lighting panel's bitmaps from the skin folder, each decoded once, the
// first time it is asked for: most are only seen after the user changes an
// effect. A missing file gives a null picture: the control then shows nothing
// for that state.

#include <QPixmap>
#include <QString>

#include <filesystem>
#include <map>
#include <optional>

namespace tessel {

class LightingPictures {
public:
    // Which folder the pictures come from; nothing is decoded yet.
    void Load(const std::filesystem::path& skinFolder);

    // Null for a name that is not one of the panel's pictures or was missing.
    const QPixmap& Get(const QString& fileName) const;
    // "p.bmp" for the brightness slider at position p, "(5 + p).bmp" for speed.
    static QString BrightnessPicture(int position);
    static QString SpeedPicture(int position);
    // "jdt<frame>.bmp", frames 1 to kProgressFrameCount.
    static constexpr int kProgressFrameCount = 10;
    static QString ProgressFrame(int frame);

private:
    std::filesystem::path m_skinFolder;
    mutable std::map<QString, std::optional<QPixmap>> m_pictures;
};

}  // namespace tessel
