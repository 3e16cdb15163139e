#pragma once

#include <QDir>
#include <QString>

namespace skingen {

// Writes every .bmp picture of the lighting panel; returns what failed, or empty.
QString WriteLightingPictures(const QDir& folder);

// Writes the program and tray icons 128, 141 and 142 as "icon<id>.png".
QString WriteIcons(const QDir& folder);

}  // namespace skingen
