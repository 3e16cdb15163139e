#pragma once
// The program's own Qt widgets (message boxes, menus, drop-down lists, lists,
// tooltips) in the colours of the skin, so that they look like the skinned
// windows they belong to. The desktop's native file dialog keeps its own look.

#include <QPalette>

class QImage;

namespace tessel {

// A palette from the main window's background picture: its average colour
// for windows, a deeper shade for lists and fields, light text on a dark skin
// (dark text on a light one), and the skin buttons' red for selections.
QPalette SkinPalette(const QImage& background);

// Makes SkinPalette the application's palette; a missing picture changes nothing.
void ApplySkinPalette(const QImage& background);

}  // namespace tessel
