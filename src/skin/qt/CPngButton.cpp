#include "skin/qt/CPngButton.h"

#include "skin/qt/ButtonText.h"
#include "skin/qt/ButtonTooltip.h"
#include "skin/qt/TextCentring.h"

#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QPixmap>

#include <algorithm>

namespace tessel {

namespace {

constexpr int kMaxTextLength = 260;
constexpr int kNormalWeight = 400;
constexpr int kHeavyWeight = 956;  // the skins' look, a touch heavier than "black"
constexpr int kOutlinePen = 2;
constexpr int kMaxOutlineStrength = 100;

// Redraws requested while any button paints are queued instead: Qt cannot paint
// a sibling from inside a paint event.
int g_paintDepth = 0;

}  // namespace

CPngButton::CPngButton(QWidget* parent) : QPushButton(parent) {
    setMouseTracking(true);
    setAutoDefault(false);
    setFocusPolicy(Qt::TabFocus);
}

CPngButton::~CPngButton() = default;

void CPngButton::ClearTransientState() {
    m_hovering = false;
    m_tracking = false;
    setDown(false);
}

void CPngButton::SetImages(int x, int y, const QPixmap* normal, const QPixmap* over,
                           const QPixmap* down, const QPixmap* disabled, const QPixmap* checked,
                           bool redraw) {
    m_sourceOffset = QPoint(x, y);
    SetStateImages(normal, over, down, disabled, checked, redraw);
}

void CPngButton::SetStateImages(const QPixmap* normal, const QPixmap* over, const QPixmap* down,
                                const QPixmap* disabled, const QPixmap* checked, bool redraw) {
    m_pictures = {normal, over, down, disabled, checked};
    ClearTransientState();
    if (redraw) {
        Redraw();
    }
}

void CPngButton::SetAltSources(const QPixmap* first, const QPixmap* second, bool on,
                               bool secondChosen, bool redraw) {
    m_altPictures = {first, second};
    m_altSwitch = on;
    m_altChoice = secondChosen;
    ClearTransientState();
    if (redraw) {
        Redraw();
    }
}

void CPngButton::SetChecked(bool checked, bool redraw) {
    m_checked = checked;
    if (redraw) {
        Redraw();
    }
}

void CPngButton::SetOutline(QColor colour, int strength, bool on) {
    m_outline = on;
    m_outlineColour = colour;
    m_outlineStrength = on ? std::min(strength, kMaxOutlineStrength) : strength;
    Redraw();
}

// The fifth colour is accepted for the callers' sake; no state draws with it.
void CPngButton::SetTextStyle(bool draw, int points, const QString& face, QColor normal,
                              QColor over, QColor pressed, QColor disabled, QColor /*unused*/,
                              unsigned format) {
    m_drawText = draw;
    m_textSize = points;
    m_face = face;
    m_textColours = {normal, over, pressed, disabled};
    m_textFormat = format;
    update();
}

void CPngButton::SetTextRotation(int escapement, bool heavy) {
    m_escapement = escapement;
    m_heavy = heavy;
    update();
}

void CPngButton::SetTextMargins(int left, int right, int top, int bottom) {
    m_textMargins = {left, right, top, bottom};
    update();
}

void CPngButton::SetRedrawCallback(RedrawCallback callback) {
    m_redrawCallback = std::move(callback);
}

void CPngButton::SetTooltip(const QString& text, bool activate) {
    if (text.isEmpty()) {
        return;
    }
    if (!m_tooltip) {
        m_tooltip = std::make_unique<ButtonTooltip>(this);
    }
    m_tooltipText = text;
    m_tooltip->SetText(text);
    m_tooltip->Activate(activate);
}

bool CPngButton::TooltipActive() const {
    return m_tooltip && m_tooltip->IsActive();
}

void CPngButton::Redraw() {
    if (g_paintDepth > 0) {
        update();
    } else {
        repaint();
    }
}

int CPngButton::LinkedFlag(int profile) const {
    if (profile < 0 || profile >= static_cast<int>(m_linkedFlags.size())) {
        return 0;
    }
    return m_linkedFlags[profile];
}

void CPngButton::SetLinkedFlag(int profile, int value) {
    if (profile >= 0 && profile < static_cast<int>(m_linkedFlags.size())) {
        m_linkedFlags[profile] = value;
    }
}

CPngButton::Look CPngButton::ChooseLook() const {
    if (!isEnabled()) {
        return {m_pictures[kDisabled], m_textColours[kDisabledColour]};
    }
    if (m_altSwitch) {
        return {m_altPictures[m_altChoice ? 1 : 0], m_textColours[kNormalColour]};
    }
    if (isDown()) {
        return {m_pictures[kDown], m_textColours[kPressedColour]};
    }
    if (m_hovering) {
        return {m_pictures[kOver], m_textColours[kOverColour]};
    }
    if (m_checked) {
        return {m_pictures[kChecked], m_textColours[kOverColour]};
    }
    return {m_pictures[kNormal], m_textColours[kNormalColour]};
}

void CPngButton::paintEvent(QPaintEvent*) {
    ++g_paintDepth;
    const Look look = ChooseLook();
    {
        QPainter painter(this);
        if (m_outline) {
            QPen pen(m_outlineColour, kOutlinePen);
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(1, 1, width() - 2, height() - 2));
        } else if (look.picture) {
            painter.drawPixmap(0, 0, *look.picture, m_sourceOffset.x(), m_sourceOffset.y(), width(),
                               height());
        }
        m_lastPicture = look.picture;
        if (m_drawText) {
            DrawText(painter, look.colour);
        }
    }
    if (m_redrawCallback) {
        m_redrawCallback(this, look.picture == m_pictures[kNormal]);
    }
    --g_paintDepth;
}

void CPngButton::DrawText(QPainter& painter, QColor colour) {
    painter.setPen(colour);
    QFont font(m_face);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, (m_textSize * logicalDpiY() + 36) / 72));
    font.setWeight(static_cast<QFont::Weight>(m_heavy ? kHeavyWeight : kNormalWeight));
    painter.setFont(font);

    const QString label = text().left(kMaxTextLength);
    TextBox box{m_textMargins[0], m_textMargins[2], width() + m_textMargins[1],
                height() + m_textMargins[3]};
    if (m_heavy) {
        const QFontMetrics metrics(font);
        box = CentreTextForAngle(box, m_escapement, metrics.horizontalAdvance(label),
                                 metrics.height());
    }
    DrawFormattedText(painter, label, QRect(box.left, box.top, box.Width(), box.Height()),
                      m_textFormat, m_escapement);
}

void CPngButton::StartTracking() {
    if (!m_tracking) {
        m_tracking = true;
        OnMouseHover();
    }
}

void CPngButton::OnMouseHover() {
    m_hovering = true;
    update();
    if (m_tooltip) {
        // A fresh tooltip each time, so a changed text is always shown.
        m_tooltip.reset();
        SetTooltip(m_tooltipText, true);
        m_tooltip->MouseEntered();
    }
}

void CPngButton::OnMouseLeave() {
    m_hovering = false;
    m_tracking = false;
    update();
    if (m_tooltip) {
        m_tooltip->MouseLeft();
    }
}

void CPngButton::mouseMoveEvent(QMouseEvent* event) {
    StartTracking();
    QPushButton::mouseMoveEvent(event);
}

void CPngButton::enterEvent(QEnterEvent* event) {
    StartTracking();
    QPushButton::enterEvent(event);
}

void CPngButton::leaveEvent(QEvent* event) {
    OnMouseLeave();
    QPushButton::leaveEvent(event);
}

// A window closed by a click on its button gets no leave event: without
// this the button would still look hovered when the window opens again.
void CPngButton::hideEvent(QHideEvent* event) {
    if (m_hovering || m_tracking) {
        OnMouseLeave();
    }
    QPushButton::hideEvent(event);
}

// A quick second click arrives as a double-click; it counts as a click of its own.
void CPngButton::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

}  // namespace tessel
