#pragma once
// The skinned image button: shows the rectangle at its own position of one of
// several window-sized pictures (chosen by its state), optionally with a text,
// a tooltip, or instead of the picture a colour with the picture's legend on it.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QPushButton>
#include <QString>

#include "skin/qt/SkinAccessibility.h"

#include <array>
#include <functional>
#include <memory>

class QPixmap;

namespace tessel {

class ButtonTooltip;

class CPngButton : public QPushButton {
    Q_OBJECT
public:
    enum Picture { kNormal, kOver, kDown, kDisabled, kChecked, kPictureCount };
    enum TextColour { kNormalColour, kOverColour, kPressedColour, kDisabledColour, kColourCount };

    // Receives the button and whether it has just drawn its normal picture.
    using RedrawCallback = std::function<void(QWidget* button, bool drewNormal)>;

    explicit CPngButton(QWidget* parent = nullptr);
    ~CPngButton() override;

    // Pictures are owned by the window; the button only refers to them.
    void SetImages(int x, int y, const QPixmap* normal, const QPixmap* over, const QPixmap* down,
                   const QPixmap* disabled, const QPixmap* checked, bool redraw = true);
    void SetStateImages(const QPixmap* normal, const QPixmap* over, const QPixmap* down,
                        const QPixmap* disabled, const QPixmap* checked, bool redraw = true);
    void SetAltSources(const QPixmap* first, const QPixmap* second, bool on, bool secondChosen,
                       bool redraw = true);
    void SetChecked(bool checked, bool redraw = true);
    void SetOutline(QColor colour, int strength, bool on);
    void SetTextStyle(bool draw, int points, const QString& face, QColor normal, QColor over,
                      QColor pressed, QColor disabled, QColor unused, unsigned format);
    void SetTextRotation(int escapement, bool heavy);
    void SetTextMargins(int left, int right, int top, int bottom);
    void SetRedrawCallback(RedrawCallback callback);
    void SetTooltip(const QString& text, bool activate);
    void Redraw();
    // What the button is to a screen reader; indicators and labels also leave
    // the tab chain.
    void SetRole(SkinRole role);
    SkinRole Role() const { return m_role; }

    // Per-profile linked flags kept for the main window's lighting.
    int LinkedFlag(int profile) const;
    void SetLinkedFlag(int profile, int value);

    bool IsChecked() const { return m_checked; }
    bool IsHovering() const { return m_hovering; }
    bool HasOutline() const { return m_outline; }
    QColor OutlineColour() const { return m_outlineColour; }
    int OutlineStrength() const { return m_outlineStrength; }
    QPoint SourceOffset() const { return m_sourceOffset; }
    const QPixmap* LastPicture() const { return m_lastPicture; }
    const QPixmap* StatePicture(Picture which) const { return m_pictures[which]; }
    QString TooltipText() const { return m_tooltipText; }
    bool TooltipActive() const;
    // False when the drawn text is cut even at the smallest type on two lines.
    bool CaptionFits() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Look {
        const QPixmap* picture;
        QColor colour;
    };
    Look ChooseLook() const;
    QFont TextFont() const;
    QRect TextRect() const;
    bool FitsToBox() const;
    void DrawText(QPainter& painter, QColor colour);
    void DrawPaintedKey(QPainter& painter);
    void StartTracking();
    void OnMouseHover();
    void OnMouseLeave();
    void ClearTransientState();

    std::array<int, 4> m_linkedFlags{};
    std::array<const QPixmap*, kPictureCount> m_pictures{};
    const QPixmap* m_lastPicture = nullptr;
    std::array<const QPixmap*, 2> m_altPictures{};
    bool m_hovering = false;
    bool m_tracking = false;
    bool m_checked = false;
    bool m_altSwitch = false;
    bool m_altChoice = false;
    QPoint m_sourceOffset;
    bool m_drawText = false;
    int m_textSize = 8;
    QString m_face = QStringLiteral("Tahoma Unicode MS");
    std::array<QColor, kColourCount> m_textColours{};
    unsigned m_textFormat = 37;
    std::array<int, 4> m_textMargins{};  // left, right, top, bottom
    int m_escapement = 0;
    bool m_heavy = false;
    RedrawCallback m_redrawCallback;
    QString m_tooltipText;
    std::unique_ptr<ButtonTooltip> m_tooltip;
    bool m_outline = false;
    QColor m_outlineColour;
    int m_outlineStrength = 0;
    // The normal picture's legend, lifted out once per picture and offset.
    QImage m_legend;
    const QPixmap* m_legendSource = nullptr;
    QPoint m_legendOffset;
    SkinRole m_role = SkinRole::Button;
};

}  // namespace tessel
