#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include "Skin.h"

class QPainter;

// Drawing of the skin's parts; each function draws one part in one look.
namespace skingen {

void DrawKeyCap(QPainter& p, const QRect& r, const QString& legend, Look look);
void DrawPlate(QPainter& p, const QRect& r, Look look);
void DrawPlateLegend(QPainter& p, const QRect& r, const QString& legend, Look look);
void DrawTitleButton(QPainter& p, const QRect& r, Glyph glyph, Look look);
void DrawLed(QPainter& p, const QRect& r, const QString& label, bool lit);
void DrawGlyph(QPainter& p, const QRectF& box, Glyph glyph, const QColor& colour);

// Colour of glyphs and legends on a plate in a look.
QColor InkOf(Look look);

// Rounded panel with a hairline edge, used by backgrounds.
void DrawCard(QPainter& p, const QRect& r, const QColor& fill, const QColor& edge, int radius);
void DrawCaption(QPainter& p, const QRect& r, const QString& text, const QColor& colour,
                 int pixelSize, int flags);
// A window's body with its title bar, edge and accent line under the title.
void PaintWindowBody(QPainter& p, QSize size, int accentWidth);
// A dialog's body, title bar and rounded outline; the emblem left in the
// title bar when it is painted into the background.
void PaintDialogFrame(QPainter& p, QSize size, Glyph emblem, bool emblemInBackground);

}  // namespace skingen
