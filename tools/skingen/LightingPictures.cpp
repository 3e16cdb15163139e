#include "LightingPictures.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <functional>

#include "MainWindowLayout.h"
#include "Paint.h"
#include "SkinWriter.h"
#include "Theme.h"

// The lighting panel's bitmaps. Each sits on the panel's own colour so the
// picture controls blend in; "down", "ok" and "on" pictures are lit red.
namespace skingen {

namespace {

using namespace main_layout;

QImage Draw(QSize size, const std::function<void(QPainter&, QRectF)>& paint) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(theme::kCard);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paint(p, QRectF(QPointF(0, 0), size));
    return image;
}

void Frame(QPainter& p, const QRectF& r, bool lit) {
    p.setPen(QPen(lit ? theme::kAccent : QColor(0x3e, 0x43, 0x4c), lit ? 1.5 : 1));
    p.setBrush(lit ? QColor(0x3a, 0x1a, 0x1e) : QColor(0x2a, 0x2d, 0x33));
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 6, 6);
}

QColor Ink(bool lit) {
    return lit ? QColor(0xff, 0x5a, 0x62) : theme::kTextDim;
}

QImage Switch(bool on) {
    return Draw(kSwitchPicture, [on](QPainter& p, QRectF r) {
        const QRectF pill = r.adjusted(2, 4, -2, -4);
        p.setPen(QPen(on ? theme::kAccent : QColor(0x3e, 0x43, 0x4c), 1));
        p.setBrush(on ? QColor(0x5a, 0x14, 0x1a) : QColor(0x24, 0x27, 0x2d));
        p.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
        const double d = pill.height() - 6;
        const QRectF knob(on ? pill.right() - d - 3 : pill.left() + 3, pill.top() + 3, d, d);
        p.setPen(Qt::NoPen);
        p.setBrush(on ? theme::kAccent : QColor(0x6b, 0x70, 0x7a));
        p.drawEllipse(knob);
        p.setPen(on ? theme::kText : theme::kTextDim);
        p.setFont(theme::LegendFont(10));
        const QRectF label =
            on ? QRectF(pill.left() + 8, pill.top(), pill.width() - d - 14, pill.height())
               : QRectF(knob.right() + 4, pill.top(), pill.width() - d - 14, pill.height());
        p.drawText(label, Qt::AlignCenter, on ? QStringLiteral("ON") : QStringLiteral("OFF"));
    });
}

QImage Direction(Glyph glyph, bool chosen, bool mirrored) {
    return Draw(kDirectionPicture, [=](QPainter& p, QRectF r) {
        Frame(p, r, chosen);
        const double side = r.height() - 12;
        QRectF box(r.center().x() - side / 2, 6, side, side);
        p.save();
        Glyph drawn = glyph;
        if (mirrored) {
            // Left and right arrows are the up arrow turned on its side.
            p.translate(r.center());
            p.rotate(glyph == Glyph::Up ? -90 : 90);
            p.translate(-r.center());
            drawn = Glyph::Up;
        }
        DrawGlyph(p, box, drawn, Ink(chosen));
        p.restore();
    });
}

// Spread (outward) or gather (inward) arrows of effect 4.
QImage Spread(bool outward, bool chosen) {
    return Draw(kDirectionPicture, [=](QPainter& p, QRectF r) {
        Frame(p, r, chosen);
        p.setPen(QPen(Ink(chosen), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const double y = r.center().y(), cx = r.center().x();
        for (int side : {-1, 1}) {
            const double inner = cx + side * 4, outer = cx + side * 16;
            p.drawLine(QPointF(inner, y), QPointF(outer, y));
            const double tip = outward ? outer : inner;
            const double back = outward ? -side * 5 : side * 5;
            p.drawLine(QPointF(tip, y), QPointF(tip + back, y - 5));
            p.drawLine(QPointF(tip, y), QPointF(tip + back, y + 5));
        }
        p.setBrush(Ink(chosen));
        p.drawEllipse(QPointF(cx, y), 1.5, 1.5);
    });
}

QImage Colourful(bool on) {
    return Draw(kColourfulPicture, [on](QPainter& p, QRectF r) {
        Frame(p, r, on);
        QLinearGradient rainbow(r.left() + 8, 0, r.right() - 8, 0);
        const QColor hues[] = {{0xff, 0x2d, 0x37},
                               {0xff, 0xb0, 0x20},
                               {0x40, 0xe0, 0x60},
                               {0x20, 0xc0, 0xff},
                               {0xa0, 0x40, 0xff}};
        for (int i = 0; i < 5; ++i) {
            QColor c = hues[i];
            if (!on)
                c = QColor::fromHsv(c.hsvHue(), 40, 110);
            rainbow.setColorAt(i / 4.0, c);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(rainbow);
        p.drawRoundedRect(r.adjusted(9, 11, -9, -11), 4, 4);
    });
}

QImage Tool(bool linked, bool chosen) {
    return Draw(kToolPicture, [=](QPainter& p, QRectF r) {
        Frame(p, r, chosen);
        const QColor ink = Ink(chosen);
        p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        const QPointF c = r.center();
        if (linked) {
            // Two chain links: paint with the linked colour.
            p.save();
            p.translate(c);
            p.rotate(-35);
            p.drawRoundedRect(QRectF(-12, -4, 13, 8), 4, 4);
            p.drawRoundedRect(QRectF(-1, -4, 13, 8), 4, 4);
            p.restore();
        } else {
            // A brush: paint one key with the plain colour.
            p.drawLine(c + QPointF(8, -9), c + QPointF(-2, 2));
            p.setBrush(ink);
            p.drawEllipse(c + QPointF(-5, 5), 4, 4);
        }
    });
}

QImage Variant(const QColor& colour, bool ok) {
    return Draw(kVariantPicture, [=](QPainter& p, QRectF r) {
        p.setPen(QPen(ok ? Qt::white : QColor(0x3e, 0x43, 0x4c), ok ? 2 : 1));
        p.setBrush(colour);
        p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 5, 5);
        if (ok)
            DrawGlyph(p, r.adjusted(9, 9, -9, -9), Glyph::Check, Qt::white);
    });
}

QImage Swatch(const QColor& colour) {
    return Draw(kSwatchPicture, [=](QPainter& p, QRectF r) {
        p.setPen(QPen(QColor(0x3e, 0x43, 0x4c), 1));
        p.setBrush(colour);
        p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
    });
}

// Frame `frame` (1 to 10) of the apply animation: a lit segment running along a track.
QImage Progress(int frame) {
    return Draw(kProgressPicture, [frame](QPainter& p, QRectF r) {
        const QRectF track = r.adjusted(1, 3, -1, -3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2a, 0x2d, 0x33));
        p.drawRoundedRect(track, 3, 3);
        const double width = track.width() * 0.3;
        const double left = track.left() + (track.width() - width) * (frame - 1) / 9.0;
        QLinearGradient glow(left, 0, left + width, 0);
        glow.setColorAt(0, QColor(0xff, 0x2d, 0x37, 0));
        glow.setColorAt(0.6, theme::kAccent);
        glow.setColorAt(1, QColor(0xff, 0x9a, 0x9f));
        p.setBrush(glow);
        p.drawRoundedRect(QRectF(left, track.top(), width, track.height()), 3, 3);
    });
}

// Slider picture with the knob at `position` of five.
QImage Slider(int position) {
    return Draw(kSliderPicture, [position](QPainter& p, QRectF r) {
        const double left = r.left() + 10, right = r.right() - 10, y = r.center().y();
        const double x = left + (right - left) * position / 4.0;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2a, 0x2d, 0x33));
        p.drawRoundedRect(QRectF(left, y - 3, right - left, 6), 3, 3);
        p.setBrush(theme::kAccent);
        p.drawRoundedRect(QRectF(left, y - 3, x - left, 6), 3, 3);
        for (int i = 0; i < 5; ++i) {
            const double tick = left + (right - left) * i / 4.0;
            p.setBrush(i <= position ? theme::kAccent : QColor(0x4a, 0x4f, 0x58));
            p.drawEllipse(QPointF(tick, y), 2.5, 2.5);
        }
        p.setPen(QPen(theme::kAccent, 2));
        p.setBrush(QColor(0xf0, 0xf1, 0xf3));
        p.drawEllipse(QPointF(x, y), 8, 8);
    });
}

}  // namespace

QString WriteLightingPictures(const QDir& folder) {
    std::vector<std::pair<QString, QImage>> pictures = {
        {QStringLiteral("dengup.bmp"), Switch(false)},
        {QStringLiteral("dengdown.bmp"), Switch(true)},
        {QStringLiteral("leftup.bmp"), Direction(Glyph::Up, false, true)},
        {QStringLiteral("leftdown.bmp"), Direction(Glyph::Up, true, true)},
        {QStringLiteral("rightup.bmp"), Direction(Glyph::Down, false, true)},
        {QStringLiteral("rightdown.bmp"), Direction(Glyph::Down, true, true)},
        {QStringLiteral("kuosan.bmp"), Spread(true, false)},
        {QStringLiteral("kuosandown.bmp"), Spread(true, true)},
        {QStringLiteral("julong.bmp"), Spread(false, false)},
        {QStringLiteral("julongdown.bmp"), Spread(false, true)},
        {QStringLiteral("upup.bmp"), Direction(Glyph::Up, false, false)},
        {QStringLiteral("updown.bmp"), Direction(Glyph::Up, true, false)},
        {QStringLiteral("downup.bmp"), Direction(Glyph::Down, false, false)},
        {QStringLiteral("downdown.bmp"), Direction(Glyph::Down, true, false)},
        {QStringLiteral("sjsup.bmp"), Colourful(false)},
        {QStringLiteral("sjsdown.bmp"), Colourful(true)},
        {QStringLiteral("user1up.bmp"), Tool(false, false)},
        {QStringLiteral("user1down.bmp"), Tool(false, true)},
        {QStringLiteral("user2up.bmp"), Tool(true, false)},
        {QStringLiteral("user2down.bmp"), Tool(true, true)},
    };
    const std::pair<const char*, QColor> variants[] = {{"hong", {0xff, 0x2d, 0x37}},
                                                       {"huang", {0xff, 0xc8, 0x20}},
                                                       {"lv", {0x30, 0xd0, 0x60}},
                                                       {"lan", {0x2a, 0x7a, 0xff}}};
    for (const auto& [name, colour] : variants) {
        pictures.emplace_back(QStringLiteral("%1.bmp").arg(QLatin1String(name)),
                              Variant(colour, false));
        pictures.emplace_back(QStringLiteral("%1ok.bmp").arg(QLatin1String(name)),
                              Variant(colour, true));
    }
    for (int frame = 1; frame <= 10; ++frame) {
        pictures.emplace_back(QStringLiteral("jdt%1.bmp").arg(frame), Progress(frame));
    }
    // 0 to 4 brightness, 5 to 9 speed; the rest repeat the five knob positions.
    for (int i = 0; i <= 25; ++i)
        pictures.emplace_back(QStringLiteral("%1.bmp").arg(i), Slider(i % 5));
    const QColor swatches[] = {{0xff, 0x2d, 0x37}, {0xff, 0x8a, 0x1f}, {0xff, 0xd8, 0x20},
                               {0x30, 0xd0, 0x60}, {0x20, 0xd0, 0xff}, {0x2a, 0x5a, 0xff},
                               {0xa0, 0x40, 0xff}, {0xf4, 0xf4, 0xf4}};
    for (int i = 0; i < 8; ++i) {
        pictures.emplace_back(QStringLiteral("Color%1.bmp").arg(i + 1), Swatch(swatches[i]));
    }
    for (const auto& [name, image] : pictures) {
        const QString error = SavePicture(image, folder, name);
        if (!error.isEmpty())
            return error;
    }
    return {};
}

}  // namespace skingen
