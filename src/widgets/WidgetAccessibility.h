#pragma once
// Screen-reader interfaces of the widget library's own controls: the picture
// slider (a slider with its value and range), the colour-picker button (a
// button that names its colour) and the clickable lighting pictures.

namespace tessel {

// Run by each control class, once.
void InstallWidgetAccessibility();

}  // namespace tessel
