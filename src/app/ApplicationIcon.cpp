#include "app/ApplicationIcon.h"

#include <QPainter>
#include <QPixmap>

namespace tessel {

QIcon ApplicationIcon() {
    // A keyboard outline with three rows of keys, drawn so the program needs no
    // icon file to start.
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal unit = size / 16.0;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x20, 0x24, 0x2C));
        painter.drawRoundedRect(QRectF(0.5 * unit, 3 * unit, 15 * unit, 10 * unit), unit, unit);
        const QColor rows[] = {QColor(0xE5, 0x39, 0x35), QColor(0x43, 0xA0, 0x47),
                               QColor(0x1E, 0x88, 0xE5)};
        for (int row = 0; row < 3; ++row) {
            painter.setBrush(rows[row]);
            for (int key = 0; key < 5; ++key) {
                painter.drawRect(QRectF((2 + key * 2.5) * unit, (4.5 + row * 2.5) * unit,
                                        1.8 * unit, 1.8 * unit));
            }
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace tessel
