#include "widgets/SkinPalette.h"

#include <QApplication>
#include <QImage>
#include <QToolTip>

namespace tessel {

namespace {

// The skinned buttons' texts: light grey at rest, red when hovered or checked.
constexpr QColor kLightText(222, 222, 222);
constexpr QColor kDarkText(24, 26, 30);
constexpr QColor kSelection(208, 40, 48);
constexpr QColor kDisabledText(120, 124, 132);
constexpr int kDeeper = 130;
constexpr int kRaised = 135;

QColor AverageColour(const QImage& picture) {
    return QColor(
        picture.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0));
}

}  // namespace

QPalette SkinPalette(const QImage& background) {
    const QColor window = AverageColour(background);
    const bool dark = window.lightness() < 128;
    const QColor text = dark ? kLightText : kDarkText;
    const QColor base = dark ? window.darker(kDeeper) : window.lighter(kRaised);
    const QColor button = dark ? window.lighter(kRaised) : window.darker(110);

    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, dark ? base.lighter(115) : base.darker(105));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, button);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Highlight, kSelection);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, kDisabledText);
    palette.setColor(QPalette::Link, kSelection.lighter(kRaised));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, kDisabledText);
    }
    palette.setColor(QPalette::Light, button.lighter(kRaised));
    palette.setColor(QPalette::Midlight, button.lighter(115));
    palette.setColor(QPalette::Mid, button.darker(115));
    palette.setColor(QPalette::Dark, button.darker(kDeeper));
    palette.setColor(QPalette::Shadow, Qt::black);
    return palette;
}

void ApplySkinPalette(const QImage& background) {
    if (background.isNull()) {
        return;
    }
    const QPalette palette = SkinPalette(background);
    QApplication::setPalette(palette);
    QToolTip::setPalette(palette);
}

}  // namespace tessel
