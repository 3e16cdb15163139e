#include "mainwindow/LightingPictures.h"

#include <array>

#include "skin/qt/SkinPictures.h"

namespace tessel {
namespace {

constexpr int kSliderPictures = 26;  // 0.bmp to 25.bmp
constexpr int kSwatchPictures = 8;
constexpr int kSpeedPictureBase = 5;

constexpr std::array<const char16_t*, 28> kNamedPictures = {
    u"dengup.bmp",    u"dengdown.bmp", u"leftup.bmp",     u"leftdown.bmp", u"rightup.bmp",
    u"rightdown.bmp", u"kuosan.bmp",   u"kuosandown.bmp", u"julong.bmp",   u"julongdown.bmp",
    u"upup.bmp",      u"updown.bmp",   u"downup.bmp",     u"downdown.bmp", u"sjsup.bmp",
    u"sjsdown.bmp",   u"user1up.bmp",  u"user1down.bmp",  u"user2up.bmp",  u"user2down.bmp",
    u"hong.bmp",      u"hongok.bmp",   u"huang.bmp",      u"huangok.bmp",  u"lv.bmp",
    u"lvok.bmp",      u"lan.bmp",      u"lanok.bmp",
};

}  // namespace

void LightingPictures::Load(const std::filesystem::path& skinFolder) {
    m_skinFolder = skinFolder;
    m_pictures.clear();
    auto add = [&](const QString& name) { m_pictures.emplace(name, std::nullopt); };
    for (const char16_t* name : kNamedPictures) {
        add(QString::fromUtf16(name));
    }
    for (int frame = 1; frame <= kProgressFrameCount; ++frame) {
        add(ProgressFrame(frame));
    }
    for (int i = 0; i < kSliderPictures; ++i) {
        add(QStringLiteral("%1.bmp").arg(i));
    }
    for (int i = 1; i <= kSwatchPictures; ++i) {
        add(QStringLiteral("Color%1.bmp").arg(i));
    }
}

const QPixmap& LightingPictures::Get(const QString& fileName) const {
    static const QPixmap kNone;
    const auto found = m_pictures.find(fileName);
    if (found == m_pictures.end()) {
        return kNone;
    }
    if (!found->second) {
        found->second = LoadSkinBitmap(m_skinFolder, fileName.toStdU16String());
    }
    return *found->second;
}

QString LightingPictures::BrightnessPicture(int position) {
    return QStringLiteral("%1.bmp").arg(position);
}

QString LightingPictures::SpeedPicture(int position) {
    return QStringLiteral("%1.bmp").arg(kSpeedPictureBase + position);
}

QString LightingPictures::ProgressFrame(int frame) {
    return QStringLiteral("jdt%1.bmp").arg(frame);
}

}  // namespace tessel
