#pragma once
// The lighting model's colours as the window's Qt controls show them, and the
// colour outline a key button draws instead of its picture.

#include <QColor>

#include "model/LightingColour.h"
#include "skin/qt/CPngButton.h"

namespace tessel {

inline QColor ToQColor(ColourRef colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

inline ColourRef ToColourRef(QColor colour) {
    return MakeColourRef(static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
                         static_cast<uint8_t>(colour.blue()));
}

// The strength is stored with the outline; the pen is always 2 pixels wide.
inline constexpr int kKeyOutlineStrength = 100;

inline void OutlineKey(CPngButton& key, ColourRef colour) {
    key.SetOutline(ToQColor(colour), kKeyOutlineStrength, true);
}

}  // namespace tessel
