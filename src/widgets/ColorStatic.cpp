#include "widgets/ColorStatic.h"

#include <QFontMetrics>
#include <QPainter>

namespace tessel {
namespace {

// Light grey reads well on the dark skin pictures the captions sit on.
constexpr QColor kDefaultTextColour(222, 222, 222);
constexpr qreal kSmallestPoints = 6.0;
constexpr qreal kPointStep = 0.5;

}  // namespace

QFont FontFittingWidth(const QFont& font, const QString& text, int width) {
    QFont fitted = font;
    if (fitted.pointSizeF() <= 0) {
        return fitted;  // a pixel-sized font: left as the skin set it
    }
    while (QFontMetrics(fitted).horizontalAdvance(text) > width &&
           fitted.pointSizeF() - kPointStep >= kSmallestPoints) {
        fitted.setPointSizeF(fitted.pointSizeF() - kPointStep);
    }
    return fitted;
}

ColorStatic::ColorStatic(QWidget* parent) : QLabel(parent) {
    // The skin shows through: no background of its own.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    SetTextColor(kDefaultTextColour);
}

void ColorStatic::SetTextColor(QColor colour) {
    m_textColour = colour;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
    update();
}

void ColorStatic::paintEvent(QPaintEvent* event) {
    const QRect box = contentsRect();
    const bool oneLine = !wordWrap() && textFormat() != Qt::RichText && !text().contains('\n');
    if (!oneLine || fontMetrics().horizontalAdvance(text()) <= box.width()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(FontFittingWidth(font(), text(), box.width()));
    painter.setPen(m_textColour);
    painter.drawText(box, static_cast<int>(alignment()), text());
}

}  // namespace tessel
