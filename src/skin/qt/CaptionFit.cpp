#include "skin/qt/CaptionFit.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace tessel {

namespace {

int PixelSizeOf(const QFont& font) {
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

QFont WithPixelSize(const QFont& font, int pixels) {
    QFont sized = font;
    sized.setPixelSize(pixels);
    return sized;
}

// The two lines whose wider one is narrowest: broken at a blank where the text
// has one, anywhere otherwise (scripts written without blanks).
QStringList SplitInTwo(const QString& text, const QFontMetrics& metrics) {
    QStringList best;
    int bestWidth = -1;
    const bool hasBlank = text.trimmed().contains(QLatin1Char(' '));
    for (qsizetype at = 1; at < text.size(); ++at) {
        if (hasBlank && text[at] != QLatin1Char(' ')) {
            continue;
        }
        if (text[at - 1].isHighSurrogate()) {
            continue;
        }
        const QString first = text.left(at).trimmed();
        const QString second = text.mid(at).trimmed();
        if (first.isEmpty() || second.isEmpty()) {
            continue;
        }
        const int width =
            std::max(metrics.horizontalAdvance(first), metrics.horizontalAdvance(second));
        if (bestWidth < 0 || width < bestWidth) {
            bestWidth = width;
            best = {first, second};
        }
    }
    return best;
}

int WidestLine(const QStringList& lines, const QFontMetrics& metrics) {
    int widest = 0;
    for (const QString& line : lines) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest;
}

}  // namespace

CaptionLayout FitCaption(const QString& text, const QFont& font, QSize box, int floorPixels) {
    if (QFontMetrics(font).horizontalAdvance(text) <= box.width() || text.isEmpty()) {
        return {font, {text}, true};
    }
    const int start = PixelSizeOf(font);
    const int floor = std::min(start, floorPixels);
    for (int pixels = start - 1; pixels >= floor; --pixels) {
        const QFont smaller = WithPixelSize(font, pixels);
        if (QFontMetrics(smaller).horizontalAdvance(text) <= box.width()) {
            return {smaller, {text}, true};
        }
    }
    for (int pixels = start; pixels >= floor; --pixels) {
        const QFont smaller = WithPixelSize(font, pixels);
        const QFontMetrics metrics(smaller);
        if (2 * metrics.height() > box.height()) {
            continue;
        }
        const QStringList lines = SplitInTwo(text, metrics);
        if (!lines.isEmpty() && WidestLine(lines, metrics) <= box.width()) {
            return {smaller, lines, true};
        }
    }
    return {WithPixelSize(font, floor), {text}, false};
}

void DrawCaptionLines(QPainter& painter, const CaptionLayout& layout, const QRect& box,
                      Qt::Alignment alignment) {
    painter.setFont(layout.font);
    const QFontMetrics metrics(layout.font);
    const int lineHeight = metrics.height();
    int top = box.top() + (box.height() - lineHeight * static_cast<int>(layout.lines.size())) / 2;
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    for (const QString& line : layout.lines) {
        painter.drawText(QRect(box.left(), top, box.width(), lineHeight),
                         static_cast<int>(horizontal | Qt::AlignVCenter), line);
        top += lineHeight;
    }
}

}  // namespace tessel
