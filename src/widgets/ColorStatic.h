#pragma once
// A text label drawn in a chosen colour on the window's own background, for
// captions that sit on a skin picture.

#include <QColor>
#include <QFont>
#include <QLabel>

namespace tessel {

// The font for one line of text in width pixels: font itself when the line
// fits, otherwise the same font made smaller until it does (never below 6 pt).
QFont FontFittingWidth(const QFont& font, const QString& text, int width);

class ColorStatic : public QLabel {
public:
    explicit ColorStatic(QWidget* parent = nullptr);

    void SetTextColor(QColor colour);
    QColor TextColor() const { return m_textColour; }

protected:
    // A one-line caption longer than the skin's box (a longer language) is
    // drawn smaller instead of cut off.
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_textColour;
};

}  // namespace tessel
