#include <QPainter>
#include <QPainterPath>

#include "Paint.h"
#include "Theme.h"

// Small line-art symbols, drawn into a square box so they scale with it.
namespace skingen {

namespace {

QPointF At(const QRectF& b, double x, double y) {
    return {b.left() + x * b.width(), b.top() + y * b.height()};
}

void Line(QPainter& p, const QRectF& b, double x1, double y1, double x2, double y2) {
    p.drawLine(At(b, x1, y1), At(b, x2, y2));
}

void Arrow(QPainter& p, const QRectF& b, double y, bool up, bool bar) {
    const double tip = up ? y : y + 0.55;
    const double tail = up ? y + 0.55 : y;
    Line(p, b, 0.5, tip, 0.5, tail);
    const double wing = up ? tip + 0.25 : tip - 0.25;
    Line(p, b, 0.5, tip, 0.25, wing);
    Line(p, b, 0.5, tip, 0.75, wing);
    if (bar)
        Line(p, b, 0.2, up ? tip - 0.12 : tip + 0.12, 0.8, up ? tip - 0.12 : tip + 0.12);
}

void KeyboardShape(QPainter& p, const QRectF& b) {
    p.drawRoundedRect(QRectF(At(b, 0.02, 0.22), At(b, 0.98, 0.8)), b.width() * 0.08,
                      b.width() * 0.08);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 5; ++col) {
            const QPointF c = At(b, 0.16 + col * 0.17, 0.36 + row * 0.15);
            p.drawPoint(c);
        }
    }
    Line(p, b, 0.28, 0.66, 0.72, 0.66);
}

}  // namespace

void DrawGlyph(QPainter& p, const QRectF& b, Glyph glyph, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double w = std::max(1.5, b.width() / 7.0);
    p.setPen(QPen(colour, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
        case Glyph::None:
            break;
        case Glyph::Help: {
            QPainterPath path(At(b, 0.28, 0.3));
            path.cubicTo(At(b, 0.28, -0.02), At(b, 0.76, -0.02), At(b, 0.74, 0.3));
            path.cubicTo(At(b, 0.72, 0.5), At(b, 0.5, 0.48), At(b, 0.5, 0.68));
            p.drawPath(path);
            p.drawPoint(At(b, 0.5, 0.92));
            break;
        }
        case Glyph::Menu:
            for (double y : {0.2, 0.5, 0.8}) Line(p, b, 0.1, y, 0.9, y);
            break;
        case Glyph::Minimise:
            Line(p, b, 0.12, 0.78, 0.88, 0.78);
            break;
        case Glyph::Close:
        case Glyph::Cross:
            Line(p, b, 0.15, 0.15, 0.85, 0.85);
            Line(p, b, 0.85, 0.15, 0.15, 0.85);
            break;
        case Glyph::Plus:
            Line(p, b, 0.5, 0.12, 0.5, 0.88);
            [[fallthrough]];
        case Glyph::Minus:
            Line(p, b, 0.12, 0.5, 0.88, 0.5);
            break;
        case Glyph::Check:
            Line(p, b, 0.1, 0.55, 0.38, 0.82);
            Line(p, b, 0.38, 0.82, 0.9, 0.2);
            break;
        case Glyph::Folder: {
            QPainterPath path(At(b, 0.05, 0.85));
            path.lineTo(At(b, 0.05, 0.18));
            path.lineTo(At(b, 0.38, 0.18));
            path.lineTo(At(b, 0.48, 0.3));
            path.lineTo(At(b, 0.95, 0.3));
            path.lineTo(At(b, 0.95, 0.85));
            path.closeSubpath();
            p.drawPath(path);
            break;
        }
        case Glyph::Trash:
            Line(p, b, 0.12, 0.22, 0.88, 0.22);
            Line(p, b, 0.38, 0.1, 0.62, 0.1);
            p.drawRoundedRect(QRectF(At(b, 0.22, 0.3), At(b, 0.78, 0.92)), 2, 2);
            break;
        case Glyph::Keyboard:
            KeyboardShape(p, b);
            break;
        case Glyph::Record:
            p.setPen(Qt::NoPen);
            p.setBrush(theme::kAccent);
            p.drawEllipse(QRectF(At(b, 0.18, 0.18), At(b, 0.82, 0.82)));
            break;
        case Glyph::ToTop:
            Arrow(p, b, 0.28, true, true);
            break;
        case Glyph::Up:
            Arrow(p, b, 0.2, true, false);
            break;
        case Glyph::Down:
            Arrow(p, b, 0.25, false, false);
            break;
        case Glyph::ToBottom:
            Arrow(p, b, 0.17, false, true);
            break;
        case Glyph::Globe:
            p.drawEllipse(b.adjusted(1, 1, -1, -1));
            p.drawEllipse(QRectF(At(b, 0.3, 0.05), At(b, 0.7, 0.95)));
            Line(p, b, 0.05, 0.5, 0.95, 0.5);
            break;
        case Glyph::Chat: {
            QPainterPath path(At(b, 0.1, 0.15));
            path.lineTo(At(b, 0.9, 0.15));
            path.lineTo(At(b, 0.9, 0.7));
            path.lineTo(At(b, 0.45, 0.7));
            path.lineTo(At(b, 0.22, 0.9));
            path.lineTo(At(b, 0.25, 0.7));
            path.lineTo(At(b, 0.1, 0.7));
            path.closeSubpath();
            p.drawPath(path);
            break;
        }
        case Glyph::Bird: {
            QPainterPath path(At(b, 0.05, 0.7));
            path.quadTo(At(b, 0.35, 0.95), At(b, 0.7, 0.7));
            path.quadTo(At(b, 0.85, 0.45), At(b, 0.8, 0.25));
            path.lineTo(At(b, 0.95, 0.15));
            path.lineTo(At(b, 0.72, 0.18));
            path.quadTo(At(b, 0.5, 0.05), At(b, 0.45, 0.35));
            path.quadTo(At(b, 0.25, 0.35), At(b, 0.1, 0.2));
            path.quadTo(At(b, 0.1, 0.45), At(b, 0.3, 0.55));
            path.quadTo(At(b, 0.2, 0.68), At(b, 0.05, 0.7));
            p.drawPath(path);
            break;
        }
        case Glyph::Switch:
            p.drawRoundedRect(QRectF(At(b, 0.02, 0.25), At(b, 0.98, 0.75)), b.height() * 0.25,
                              b.height() * 0.25);
            p.setBrush(colour);
            p.drawEllipse(QRectF(At(b, 0.58, 0.33), At(b, 0.9, 0.67)));
            break;
        case Glyph::Layers:
            for (double y : {0.15, 0.4, 0.65}) {
                QPainterPath path(At(b, 0.5, y));
                path.lineTo(At(b, 0.95, y + 0.12));
                path.lineTo(At(b, 0.5, y + 0.24));
                path.lineTo(At(b, 0.05, y + 0.12));
                path.closeSubpath();
                p.drawPath(path);
            }
            break;
        case Glyph::Macro:
            p.drawRoundedRect(QRectF(At(b, 0.05, 0.1), At(b, 0.95, 0.9)), 3, 3);
            Line(p, b, 0.25, 0.65, 0.25, 0.35);
            Line(p, b, 0.25, 0.35, 0.4, 0.55);
            Line(p, b, 0.4, 0.55, 0.55, 0.35);
            Line(p, b, 0.55, 0.35, 0.55, 0.65);
            Line(p, b, 0.68, 0.65, 0.8, 0.35);
            break;
        case Glyph::Reset: {
            p.drawArc(
                b.adjusted(b.width() * 0.1, b.height() * 0.1, -b.width() * 0.1, -b.height() * 0.1),
                60 * 16, 290 * 16);
            Line(p, b, 0.72, 0.08, 0.74, 0.27);
            Line(p, b, 0.74, 0.27, 0.55, 0.27);
            break;
        }
        case Glyph::Save:
            p.drawRoundedRect(QRectF(At(b, 0.08, 0.08), At(b, 0.92, 0.92)), 2, 2);
            p.drawRect(QRectF(At(b, 0.28, 0.08), At(b, 0.72, 0.36)));
            Line(p, b, 0.3, 0.68, 0.7, 0.68);
            break;
        case Glyph::Play: {
            QPainterPath path(At(b, 0.22, 0.1));
            path.lineTo(At(b, 0.88, 0.5));
            path.lineTo(At(b, 0.22, 0.9));
            path.closeSubpath();
            p.drawPath(path);
            break;
        }
        case Glyph::Logo: {
            // Three stacked tiles: the program's mark.
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawRoundedRect(QRectF(At(b, 0.0, 0.0), At(b, 0.44, 0.44)), 2, 2);
            p.drawRoundedRect(QRectF(At(b, 0.56, 0.0), At(b, 1.0, 0.44)), 2, 2);
            p.setBrush(theme::kAccent);
            p.drawRoundedRect(QRectF(At(b, 0.0, 0.56), At(b, 1.0, 1.0)), 2, 2);
            break;
        }
        case Glyph::Eraser:
            p.save();
            p.translate(b.center());
            p.rotate(-35);
            p.drawRoundedRect(
                QRectF(-b.width() * 0.42, -b.height() * 0.2, b.width() * 0.84, b.height() * 0.4), 2,
                2);
            p.drawLine(QPointF(-b.width() * 0.08, -b.height() * 0.2),
                       QPointF(-b.width() * 0.08, b.height() * 0.2));
            p.restore();
            break;
    }
    p.restore();
}

}  // namespace skingen
