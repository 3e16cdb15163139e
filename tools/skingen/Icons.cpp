#include <QImage>
#include <QPainter>

#include "LightingPictures.h"
#include "Paint.h"
#include "SkinWriter.h"
#include "Theme.h"

// Program and tray icons: 128 without a keyboard (grey), 141 with a keyboard
// (lit), 142 while the keyboard reports its special state (amber badge).
namespace skingen {

namespace {

constexpr int kIconSize = 256;

QImage Icon(const QColor& glyph, const QColor& badge) {
    QImage image(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(8, 8, kIconSize - 16, kIconSize - 16);
    QLinearGradient body(tile.topLeft(), tile.bottomLeft());
    body.setColorAt(0, QColor(0x2e, 0x32, 0x3a));
    body.setColorAt(1, QColor(0x14, 0x16, 0x1a));
    p.setPen(QPen(QColor(0x44, 0x49, 0x53), 4));
    p.setBrush(body);
    p.drawRoundedRect(tile, 48, 48);
    DrawGlyph(p, tile.adjusted(36, 40, -36, -40), Glyph::Keyboard, glyph);
    if (badge.isValid()) {
        p.setPen(QPen(QColor(0x14, 0x16, 0x1a), 8));
        p.setBrush(badge);
        p.drawEllipse(QPointF(kIconSize - 56, kIconSize - 56), 34, 34);
    }
    return image;
}

}  // namespace

QString WriteIcons(const QDir& folder) {
    const std::pair<int, QImage> icons[] = {
        {128, Icon(QColor(0xb0, 0xb5, 0xbe), QColor())},
        {141, Icon(theme::kAccent, QColor())},
        {142, Icon(theme::kAccent, QColor(0xff, 0xb0, 0x20))},
    };
    for (const auto& [id, image] : icons) {
        const QString error = SavePicture(image, folder, QStringLiteral("icon%1.png").arg(id));
        if (!error.isEmpty())
            return error;
    }
    return {};
}

}  // namespace skingen
