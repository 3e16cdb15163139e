#include "widgets/ColorStatic.h"

namespace tessel {
namespace {

// Light grey reads well on the dark skin pictures the captions sit on.
constexpr QColor kDefaultTextColour(222, 222, 222);

}  // namespace

ColorStatic::ColorStatic(QWidget* parent) : QLabel(parent) {
    // The skin shows through: no background of its own.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    SetTextColor(kDefaultTextColour);
}

void ColorStatic::SetTextColor(QColor colour) {
    m_textColour = colour;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
    update();
}

}  // namespace tessel
