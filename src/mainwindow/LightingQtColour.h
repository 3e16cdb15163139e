#pragma once
// The lighting model's colours as the panel's Qt controls show them.

#include <QColor>

#include "model/LightingColour.h"

namespace tessel {

inline QColor ToQColor(ColourRef colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

inline ColourRef ToColourRef(QColor colour) {
    return MakeColourRef(static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
                         static_cast<uint8_t>(colour.blue()));
}

}  // namespace tessel
