#pragma once
// A text label drawn in a chosen colour on the window's own background, for
// captions that sit on a skin picture.

#include <QColor>
#include <QFont>
#include <QLabel>

namespace tessel {

class ColorStatic : public QLabel {
public:
    explicit ColorStatic(QWidget* parent = nullptr);

    void SetTextColor(QColor colour);
    QColor TextColor() const { return m_textColour; }
    // False when the caption is cut even at the smallest type on two lines.
    bool CaptionFits() const;

protected:
    // A one-line caption longer than the skin's box (a longer language) is
    // drawn smaller, or on two lines, instead of cut off.
    void paintEvent(QPaintEvent* event) override;

private:
    bool IsOneLine() const;

    QColor m_textColour;
};

}  // namespace tessel
