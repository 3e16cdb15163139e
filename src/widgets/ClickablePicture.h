#pragma once
// A picture of the lighting panel that acts as a button: its owner watches
// its left-button presses. Space presses it from the keyboard the same way,
// and it tells screen readers what it is and whether it is on.

#include <QLabel>

#include "skin/qt/SkinAccessibility.h"

namespace tessel {

class ClickablePicture : public QLabel {
    Q_OBJECT
public:
    explicit ClickablePicture(QWidget* parent = nullptr);

    void SetRole(SkinRole role) { m_role = role; }
    SkinRole Role() const { return m_role; }
    // The on state of a check-box or radio-button picture.
    void SetChecked(bool checked);
    bool IsChecked() const { return m_checked; }
    // A left-button press and release at the centre, as a click makes them.
    void Press();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    SkinRole m_role = SkinRole::Button;
    bool m_checked = false;
};

}  // namespace tessel
