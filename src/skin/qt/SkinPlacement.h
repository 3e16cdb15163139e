#pragma once
// Placement of a window's controls from the rectangle entries of its skin INI.

#include <QPixmap>

#include <filesystem>
#include <string_view>

class QWidget;

namespace tessel {

class CPngButton;

// Moves the button to its entry and gives it the five pictures cut at its own
// position. An entry at (1, 1) (also a missing one) disables and hides it.
void PlaceSkinButton(CPngButton& button, const std::filesystem::path& ini,
                     std::u16string_view section, std::u16string_view entry, const QPixmap* normal,
                     const QPixmap* over, const QPixmap* down, const QPixmap* disabled,
                     const QPixmap* checked);

// Moves and sizes the control to its entry. Nothing is hidden.
void PlaceControl(QWidget& control, const std::filesystem::path& ini, std::u16string_view section,
                  std::u16string_view entry);

// Moves the control's top-left corner to its entry, keeping its size.
void MoveControl(QWidget& control, const std::filesystem::path& ini, std::u16string_view section,
                 std::u16string_view entry);

// Moves the button to its rectangle entry and shows `picture` in every state,
// cut at the offset read from offsetEntry.
void PlaceArrow(CPngButton& button, const std::filesystem::path& ini, std::u16string_view section,
                std::u16string_view rectEntry, std::u16string_view offsetSection,
                std::u16string_view offsetEntry, const QPixmap* picture);

}  // namespace tessel
