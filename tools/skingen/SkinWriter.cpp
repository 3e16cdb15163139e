#include "SkinWriter.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>

#include "Paint.h"

namespace skingen {

namespace {

constexpr int kJpegQuality = 92;

QPainter& Prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    return p;
}

void DrawElement(QPainter& p, const SkinWindow& window, const Element& e, const Sheet& sheet) {
    const Look look = sheet.LookOf(e.role);
    switch (e.art) {
        case Art::None:
            break;
        case Art::KeyCap:
            DrawKeyCap(p, e.rect, e.legend, look);
            break;
        case Art::Plate:
            DrawPlate(p, e.rect, look);
            break;
        case Art::LegendPlate:
            DrawPlate(p, e.rect, look);
            DrawPlateLegend(p, e.rect, e.legend, look);
            break;
        case Art::GlyphPlate: {
            DrawPlate(p, e.rect, look);
            const double side = e.rect.height() * 0.42;
            const QRectF box(e.rect.left() + 12, e.rect.center().y() + 0.5 - side / 2, side, side);
            DrawGlyph(p, box.translated(0, look == Look::Down), e.glyph, InkOf(look));
            break;
        }
        case Art::IconPlate: {
            DrawPlate(p, e.rect, look);
            const double side = std::min(e.rect.width(), e.rect.height()) * 0.5;
            const QRectF box(e.rect.center().x() + 0.5 - side / 2,
                             e.rect.center().y() + 0.5 - side / 2, side, side);
            DrawGlyph(p, box.translated(0, look == Look::Down), e.glyph, InkOf(look));
            break;
        }
        case Art::TitleGlyph:
            DrawTitleButton(p, e.rect, e.glyph, look);
            break;
        case Art::Led:
            DrawLed(p, e.rect, e.legend, look == Look::Over || look == Look::Checked);
            break;
        case Art::Page:
            if (window.paintPage)
                window.paintPage(p, e.rect, sheet.page);
            break;
    }
}

QString RectValue(const QRect& r) {
    return QStringLiteral("%1,%2,%3,%4").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height());
}

QString WriteIni(const SkinWindow& window, const QDir& folder) {
    QString text;
    auto section = [&text](const QString& name) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QLatin1Char('[') + name + QStringLiteral("]\n");
    };
    auto entry = [&text](const QString& key, const QString& value) {
        text += key + QLatin1Char('=') + value + QLatin1Char('\n');
    };
    section(QStringLiteral("SCREEN"));
    entry(QStringLiteral("Main"), window.backgroundFile);
    entry(QStringLiteral("Mask"), window.maskFile);
    if (!window.link.isEmpty())
        entry(QStringLiteral("Link"), window.link);
    section(QStringLiteral("BUTTONINFO"));
    for (const Element& e : window.elements) entry(e.entry, RectValue(e.rect));
    for (const IniSection& extra : window.extraSections) {
        section(extra.name);
        for (const auto& [key, value] : extra.entries) entry(key, value);
    }
    QFile file(folder.filePath(window.iniFile));
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        return QStringLiteral("cannot write %1").arg(file.fileName());
    }
    return {};
}

QImage RenderMask(const SkinWindow& window) {
    // White is cut away by the program; the window keeps every other pixel.
    QImage mask(window.size, QImage::Format_RGB32);
    mask.fill(Qt::white);
    QPainter p(&mask);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(QPointF(0, 0), window.size), window.cornerRadius,
                         window.cornerRadius);
    p.fillPath(shape, Qt::black);
    p.end();
    return mask.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

}  // namespace

QImage RenderBackground(const SkinWindow& window) {
    QImage image(window.size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    Prepare(p);
    window.paintBackground(p, window.size);
    return image;
}

QImage RenderSheet(const SkinWindow& window, const Sheet& sheet) {
    QImage image = RenderBackground(window);
    QPainter p(&image);
    Prepare(p);
    for (const Element& e : window.elements) {
        if (sheet.Draws(e))
            DrawElement(p, window, e, sheet);
    }
    return image;
}

QString SavePicture(const QImage& image, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    const bool jpeg = name.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive);
    const bool saved =
        jpeg ? image.convertToFormat(QImage::Format_RGB32).save(path, "JPG", kJpegQuality)
             : image.save(path);
    return saved ? QString() : QStringLiteral("cannot write %1").arg(path);
}

QString WriteSkinWindow(const SkinWindow& window, const QDir& folder) {
    QString error = SavePicture(RenderBackground(window), folder, window.backgroundFile);
    if (error.isEmpty())
        error = SavePicture(RenderMask(window), folder, window.maskFile);
    for (const Sheet& sheet : window.sheets) {
        if (!error.isEmpty())
            break;
        error = SavePicture(RenderSheet(window, sheet), folder, sheet.file);
    }
    if (error.isEmpty())
        error = WriteIni(window, folder);
    return error;
}

}  // namespace skingen
