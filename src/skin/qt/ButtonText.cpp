#include "skin/qt/ButtonText.h"

#include <QFontMetrics>
#include <QPainter>

namespace tessel {

namespace {

// "&x" shows x (underlined by the unrotated path), "&&" shows one "&".
QString StripMnemonic(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
        }
        out += text[i];
    }
    return out;
}

}  // namespace

int QtTextFlags(unsigned format) {
    int flags = Qt::AlignTop;
    if (format & kTextCentre) {
        flags |= Qt::AlignHCenter;
    } else if (format & kTextRight) {
        flags |= Qt::AlignRight;
    } else {
        flags |= Qt::AlignLeft;
    }
    if (format & kTextWordBreak) {
        flags |= Qt::TextWordWrap;
    }
    if (!(format & kTextNoPrefix)) {
        flags |= Qt::TextShowMnemonic;
    }
    return flags;
}

QPoint TextStartPoint(const QRect& box, unsigned format, int width, int height) {
    // QRect::right() is inclusive; the layout works on the exclusive edge.
    const int right = box.left() + box.width();
    const int bottom = box.top() + box.height();
    int x = box.left();
    if (format & kTextCentre) {
        x = box.left() + (box.width() - width) / 2;
    } else if (format & kTextRight) {
        x = right - width;
    }
    int y = box.top();
    if ((format & kTextSingleLine) && (format & kTextVCentre)) {
        y = box.top() + (box.height() - height) / 2;
    } else if ((format & kTextSingleLine) && (format & kTextBottom)) {
        y = bottom - height;
    }
    return {x, y};
}

void DrawFormattedText(QPainter& painter, const QString& text, const QRect& box, unsigned format,
                       int escapement) {
    // A single line is placed by its start point, like the text-drawing call the
    // skins were made for; that also keeps inverted rectangles meaningful.
    if (escapement == 0 && !(format & kTextSingleLine)) {
        painter.drawText(box, QtTextFlags(format), text);
        return;
    }
    const QString line = (format & kTextNoPrefix) ? text : StripMnemonic(text);
    const QFontMetrics metrics = painter.fontMetrics();
    const QPoint start =
        TextStartPoint(box, format, metrics.horizontalAdvance(line), metrics.height());
    painter.save();
    painter.translate(start);
    if (escapement != 0) {
        painter.rotate(-escapement / 10.0);
    }
    painter.drawText(0, metrics.ascent(), line);
    painter.restore();
}

}  // namespace tessel
