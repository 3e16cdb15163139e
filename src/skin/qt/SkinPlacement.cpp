#include "skin/qt/SkinPlacement.h"

#include "skin/SkinIni.h"
#include "skin/qt/CPngButton.h"

#include <QRect>
#include <QWidget>

namespace tessel {

namespace {

QRect ToQRect(const SkinRect& rect) {
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

}  // namespace

void PlaceSkinButton(CPngButton& button, const std::filesystem::path& ini,
                     std::u16string_view section, std::u16string_view entry, const QPixmap* normal,
                     const QPixmap* over, const QPixmap* down, const QPixmap* disabled,
                     const QPixmap* checked) {
    const SkinRect rect = ReadSkinRect(ini, section, entry);
    button.setGeometry(ToQRect(rect));
    button.SetImages(rect.left, rect.top, normal, over, down, disabled, checked, true);
    if (IsHiddenButtonRect(rect)) {
        button.setEnabled(false);
        button.hide();
    }
}

void PlaceControl(QWidget& control, const std::filesystem::path& ini, std::u16string_view section,
                  std::u16string_view entry) {
    control.setGeometry(ToQRect(ReadSkinRect(ini, section, entry)));
}

void MoveControl(QWidget& control, const std::filesystem::path& ini, std::u16string_view section,
                 std::u16string_view entry) {
    const SkinRect rect = ReadSkinRect(ini, section, entry);
    control.move(rect.left, rect.top);
    control.update();
}

void PlaceArrow(CPngButton& button, const std::filesystem::path& ini, std::u16string_view section,
                std::u16string_view rectEntry, std::u16string_view offsetSection,
                std::u16string_view offsetEntry, const QPixmap* picture) {
    button.setGeometry(ToQRect(ReadSkinRect(ini, section, rectEntry)));
    const PictureOffset offset = ReadPictureOffset(ini, offsetSection, offsetEntry);
    button.SetImages(offset.x, offset.y, picture, picture, picture, picture, picture, true);
}

}  // namespace tessel
