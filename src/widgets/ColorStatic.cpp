#include "widgets/ColorStatic.h"

#include <QFontMetrics>
#include <QPainter>

#include "skin/qt/CaptionFit.h"

namespace tessel {
namespace {

// Light grey reads well on the dark skin pictures the captions sit on.
constexpr QColor kDefaultTextColour(222, 222, 222);

}  // namespace

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

bool ColorStatic::IsOneLine() const {
    return !wordWrap() && textFormat() != Qt::RichText && !text().contains('\n');
}

bool ColorStatic::CaptionFits() const {
    return !IsOneLine() || FitCaption(text(), font(), contentsRect().size()).fits;
}

void ColorStatic::paintEvent(QPaintEvent* event) {
    const QRect box = contentsRect();
    if (!IsOneLine() || fontMetrics().horizontalAdvance(text()) <= box.width()) {
        QLabel::paintEvent(event);
        return;
    }
    const CaptionLayout layout = FitCaption(text(), font(), box.size());
    QPainter painter(this);
    painter.setPen(m_textColour);
    if (layout.lines.size() > 1) {
        DrawCaptionLines(painter, layout, box, alignment());
        return;
    }
    painter.setFont(layout.font);
    painter.drawText(box, static_cast<int>(alignment()), text());
}

}  // namespace tessel
