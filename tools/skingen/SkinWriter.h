#pragma once

#include <QDir>
#include <QImage>
#include <QString>

#include "Skin.h"

namespace skingen {

// Writes the window's INI file, background, mask and sheets into `folder`.
// Returns an empty string on success, else what failed.
QString WriteSkinWindow(const SkinWindow& window, const QDir& folder);

// Saves a picture by the format its name ends with; JPEG at a fixed quality.
QString SavePicture(const QImage& image, const QDir& folder, const QString& name);

// The window's background with its controls drawn as `sheet` shows them.
QImage RenderSheet(const SkinWindow& window, const Sheet& sheet);
QImage RenderBackground(const SkinWindow& window);

}  // namespace skingen
