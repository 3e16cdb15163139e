#pragma once
// A text label drawn in a chosen colour on the window's own background, for
// captions that sit on a skin picture.

#include <QColor>
#include <QLabel>

namespace tessel {

class ColorStatic : public QLabel {
public:
    explicit ColorStatic(QWidget* parent = nullptr);

    void SetTextColor(QColor colour);
    QColor TextColor() const { return m_textColour; }

private:
    QColor m_textColour;
};

}  // namespace tessel
