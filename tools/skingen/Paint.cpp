#include "Paint.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "Theme.h"

namespace skingen {

namespace {

struct CapColours {
    QColor skirt, top, bottom, edge, ink;
};

CapColours CapColoursOf(Look look) {
    switch (look) {
        case Look::Over:
            return {{0x24, 0x27, 0x2e},
                    {0x55, 0x5b, 0x67},
                    {0x45, 0x4a, 0x55},
                    theme::kAccent,
                    Qt::white};
        case Look::Down:
            return {{0x0c, 0x0d, 0x10},
                    {0x22, 0x25, 0x2b},
                    {0x1b, 0x1d, 0x22},
                    theme::kAccentDim,
                    theme::kAccent};
        case Look::Checked:
            return {{0x1a, 0x1c, 0x21},
                    {0x3a, 0x2a, 0x2e},
                    {0x2e, 0x21, 0x25},
                    theme::kAccent,
                    {0xff, 0x5a, 0x62}};
        case Look::Disabled:
            return {{0x16, 0x17, 0x1a},
                    {0x22, 0x24, 0x28},
                    {0x22, 0x24, 0x28},
                    {0x26, 0x28, 0x2d},
                    theme::kTextFaint};
        case Look::Colour0:
            return {{0x13, 0x14, 0x17},
                    {0x1d, 0x1f, 0x23},
                    {0x1d, 0x1f, 0x23},
                    {0x4a, 0x4f, 0x58},
                    {0x6e, 0x73, 0x7c}};
        case Look::Colour1:
            return {{0x8a, 0x10, 0x18},
                    {0xff, 0x55, 0x5d},
                    {0xe0, 0x1e, 0x2a},
                    {0xff, 0xc0, 0xc4},
                    Qt::white};
        case Look::Normal:
            break;
    }
    return {{0x14, 0x15, 0x19},
            {0x3a, 0x3e, 0x47},
            {0x2c, 0x2f, 0x36},
            {0x0b, 0x0c, 0x0e},
            {0xd8, 0xdb, 0xe0}};
}

void DrawLegendText(QPainter& p, const QRectF& face, const QString& legend, const QColor& ink) {
    p.setPen(ink);
    const int split = legend.indexOf(QLatin1Char('\n'));
    if (split < 0) {
        const int size = legend.size() <= 2 ? 14 : (legend.size() <= 5 ? 11 : 10);
        p.setFont(theme::LegendFont(size));
        p.drawText(face, Qt::AlignCenter, legend);
        return;
    }
    // Two legends, shifted symbol above the plain one, as printed on real caps.
    p.setFont(theme::LegendFont(11));
    QRectF upper = face.adjusted(0, 1, 0, -face.height() / 2);
    QRectF lower = face.adjusted(0, face.height() / 2 - 1, 0, 0);
    p.drawText(upper, Qt::AlignCenter, legend.left(split));
    p.drawText(lower, Qt::AlignCenter, legend.mid(split + 1));
}

}  // namespace

void DrawKeyCap(QPainter& p, const QRect& r, const QString& legend, Look look) {
    const CapColours c = CapColoursOf(look);
    const QRectF outer = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(c.edge, look == Look::Over || look == Look::Checked ? 1.5 : 1.0));
    p.setBrush(c.skirt);
    p.drawRoundedRect(outer, 5, 5);

    // The top face sits high at rest and sinks into the skirt when pressed.
    const bool pressed = look == Look::Down;
    QRectF face = outer.adjusted(3, pressed ? 4 : 2, -3, pressed ? -2 : -5);
    QLinearGradient gradient(face.topLeft(), face.bottomLeft());
    gradient.setColorAt(0, c.top);
    gradient.setColorAt(1, c.bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRoundedRect(face, 4, 4);
    if (pressed) {
        p.setPen(QPen(QColor(0, 0, 0, 140), 2));
        p.drawLine(face.topLeft() + QPointF(3, 1), face.topRight() + QPointF(-3, 1));
    }
    if (look == Look::Checked) {
        p.setPen(Qt::NoPen);
        p.setBrush(theme::kAccent);
        p.drawRoundedRect(QRectF(face.left() + 4, face.bottom() + 1.5, face.width() - 8, 2), 1, 1);
    }
    if (look == Look::Colour0) {
        p.setPen(QPen(QColor(0x4a, 0x4f, 0x58), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(face.adjusted(1, 1, -1, -1), 3, 3);
    }
    DrawLegendText(p, face, legend, c.ink);
}

void DrawPlate(QPainter& p, const QRect& r, Look look) {
    const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor top{0x33, 0x37, 0x3f}, bottom{0x27, 0x2a, 0x30}, edge{0x3e, 0x43, 0x4c};
    double edgeWidth = 1;
    switch (look) {
        case Look::Over:
            top = {0x42, 0x47, 0x51};
            bottom = {0x34, 0x38, 0x40};
            edge = theme::kAccent;
            break;
        case Look::Down:
            // Pressed plates light up, so the program's dark red text stays readable.
            top = {0x8d, 0x93, 0x9d};
            bottom = {0xa9, 0xae, 0xb7};
            edge = {0x5a, 0x5f, 0x68};
            break;
        case Look::Checked:
            top = {0x2a, 0x1c, 0x20};
            bottom = {0x22, 0x17, 0x1a};
            edge = theme::kAccent;
            edgeWidth = 2;
            break;
        case Look::Disabled:
        case Look::Colour0:
            top = bottom = {0x1c, 0x1e, 0x22};
            edge = {0x27, 0x2a, 0x2f};
            break;
        case Look::Colour1:
        case Look::Normal:
            break;
    }
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.setPen(QPen(edge, edgeWidth));
    p.setBrush(gradient);
    p.drawRoundedRect(box.adjusted(edgeWidth / 2, edgeWidth / 2, -edgeWidth / 2, -edgeWidth / 2), 6,
                      6);
    if (look == Look::Down) {
        p.setPen(QPen(QColor(0, 0, 0, 90), 2));
        p.drawLine(box.topLeft() + QPointF(6, 2), box.topRight() + QPointF(-6, 2));
    }
    if (look == Look::Checked) {
        p.setPen(Qt::NoPen);
        p.setBrush(theme::kAccent);
        p.drawRoundedRect(QRectF(box.left() + 8, box.bottom() - 4, box.width() - 16, 2), 1, 1);
    }
}

QColor InkOf(Look look) {
    switch (look) {
        case Look::Over:
            return Qt::white;
        case Look::Down:
            return {0x7a, 0x1c, 0x20};
        case Look::Checked:
            return {0xff, 0x4a, 0x52};
        case Look::Disabled:
        case Look::Colour0:
            return theme::kTextFaint;
        case Look::Colour1:
        case Look::Normal:
            break;
    }
    return {0xc8, 0xcc, 0xd3};
}

void DrawPlateLegend(QPainter& p, const QRect& r, const QString& legend, Look look) {
    p.setPen(InkOf(look));
    p.setFont(theme::LegendFont(11));
    p.drawText(QRectF(r).translated(0, look == Look::Down ? 1 : 0), Qt::AlignCenter, legend);
}

void DrawTitleButton(QPainter& p, const QRect& r, Glyph glyph, Look look) {
    const QRectF box = QRectF(r).adjusted(1, 1, -1, -1);
    QColor ink{0xa6, 0xac, 0xb6};
    p.setPen(Qt::NoPen);
    if (look == Look::Over) {
        p.setBrush(glyph == Glyph::Close ? theme::kAccent : QColor(0x3a, 0x3e, 0x47));
        p.drawRoundedRect(box, 6, 6);
        ink = Qt::white;
    } else if (look == Look::Down) {
        p.setBrush(QColor(0x0e, 0x0f, 0x12));
        p.drawRoundedRect(box, 6, 6);
        ink = theme::kAccent;
    } else if (look == Look::Disabled) {
        ink = theme::kTextFaint;
    }
    const double inset = box.width() * 0.28;
    DrawGlyph(p, box.adjusted(inset, inset, -inset, -inset).translated(0, look == Look::Down),
              glyph, ink);
}

void DrawLed(QPainter& p, const QRect& r, const QString& label, bool lit) {
    const QPointF centre(r.center().x() + 0.5, r.top() + 10.5);
    if (lit) {
        QRadialGradient glow(centre, 10);
        glow.setColorAt(0, QColor(0xff, 0x30, 0x3a, 200));
        glow.setColorAt(1, QColor(0xff, 0x30, 0x3a, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(centre, 10, 10);
    }
    p.setPen(QPen(lit ? QColor(0xff, 0x9a, 0x9f) : QColor(0x3a, 0x2a, 0x2c), 1));
    p.setBrush(lit ? theme::kAccent : QColor(0x33, 0x16, 0x19));
    p.drawEllipse(centre, 4, 4);
    p.setPen(lit ? theme::kText : theme::kTextFaint);
    p.setFont(theme::LegendFont(9));
    p.drawText(QRectF(r.left(), r.top() + 18, r.width(), r.height() - 18), Qt::AlignCenter, label);
}

void DrawCard(QPainter& p, const QRect& r, const QColor& fill, const QColor& edge, int radius) {
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void DrawCaption(QPainter& p, const QRect& r, const QString& text, const QColor& colour,
                 int pixelSize, int flags) {
    p.setPen(colour);
    p.setFont(theme::LegendFont(pixelSize));
    p.drawText(r, flags, text);
}

void PaintWindowBody(QPainter& p, QSize size, int accentWidth) {
    const QRect all(QPoint(0, 0), size);
    QLinearGradient body(0, 0, 0, size.height());
    body.setColorAt(0, QColor(0x1c, 0x1f, 0x24));
    body.setColorAt(1, theme::kWindow);
    p.fillRect(all, body);
    p.fillRect(QRect(0, 0, size.width(), 52), theme::kTitleBar);
    p.fillRect(QRect(0, 52, size.width(), 1), theme::kWindowEdge);
    p.fillRect(QRect(0, 51, accentWidth, 2), theme::kAccent);
}

void PaintDialogFrame(QPainter& p, QSize size, Glyph emblem, bool emblemInBackground) {
    const QRect all(QPoint(0, 0), size);
    PaintWindowBody(p, size, 120);
    if (emblemInBackground)
        DrawGlyph(p, QRectF(18, 14, 24, 24), emblem, theme::kText);
    p.setPen(QPen(theme::kWindowEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(all).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
}

}  // namespace skingen
