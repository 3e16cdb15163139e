#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// Colours and fonts of the default skin: graphite surfaces, one red accent.
// The program draws button texts grey at rest and red when hovered or
// checked, so the accent follows that.
namespace skingen::theme {

inline const QColor kWindow{0x17, 0x19, 0x1d};
inline const QColor kWindowEdge{0x2c, 0x30, 0x37};
inline const QColor kTitleBar{0x1f, 0x22, 0x27};
inline const QColor kDeck{0x11, 0x12, 0x15};
inline const QColor kDeckEdge{0x33, 0x37, 0x3f};
inline const QColor kCard{0x1e, 0x21, 0x26};
inline const QColor kCardEdge{0x2e, 0x32, 0x39};
inline const QColor kAccent{0xff, 0x2d, 0x37};
inline const QColor kAccentDim{0x8c, 0x1a, 0x20};
inline const QColor kText{0xe4, 0xe6, 0xea};
inline const QColor kTextDim{0x8b, 0x90, 0x99};
inline const QColor kTextFaint{0x50, 0x54, 0x5c};

inline QFont LegendFont(int pixelSize, bool bold = true) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace skingen::theme
