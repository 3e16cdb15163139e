#include "skin/qt/CPngButton.h"

#include "skin/qt/ButtonText.h"
#include "skin/qt/ButtonTooltip.h"
#include "skin/qt/CaptionFit.h"
#include "skin/qt/KeyLegend.h"
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
    InstallSkinAccessibility();
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
    const bool changed = m_checked != checked;
    m_checked = checked;
    if (changed && m_role != SkinRole::Button) {
        NotifyCheckedChanged(*this);
    }
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
    const bool renamed = m_tooltipText != text && this->text().isEmpty();
    m_tooltipText = text;
    m_tooltip->SetText(text);
    if (renamed) {
        // A key button is known by its tooltip.
        NotifyNameChanged(*this);
    }
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

void CPngButton::SetRole(SkinRole role) {
    m_role = role;
    setFocusPolicy(TakesFocus(role) ? Qt::TabFocus : Qt::NoFocus);
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
            DrawPaintedKey(painter);
        } else if (look.picture) {
            painter.drawPixmap(0, 0, *look.picture, m_sourceOffset.x(), m_sourceOffset.y(), width(),
                               height());
        }
        m_lastPicture = look.picture;
        if (m_drawText) {
            DrawText(painter, look.colour);
        }
        if (ShowsFocusMark(*this)) {
            DrawFocusMark(painter, *this, m_textColours[kOverColour]);
        }
    }
    if (m_redrawCallback) {
        m_redrawCallback(this, look.picture == m_pictures[kNormal]);
    }
    --g_paintDepth;
}

// A painted key shows its colour and, over it, the legend of its normal
// picture in black or white, whichever reads on that colour.
void CPngButton::DrawPaintedKey(QPainter& painter) {
    QPen pen(m_outlineColour, kOutlinePen);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(m_outlineColour);
    painter.drawRect(QRectF(1, 1, width() - 2, height() - 2));

    const QPixmap* normal = m_pictures[kNormal];
    if (!normal) {
        return;
    }
    if (m_legendSource != normal || m_legendOffset != m_sourceOffset || m_legend.size() != size()) {
        m_legend = LegendMask(*normal, m_sourceOffset, size());
        m_legendSource = normal;
        m_legendOffset = m_sourceOffset;
    }
    const QColor ink = ContrastingInk(m_outlineColour);
    QImage legend(m_legend.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < legend.height(); ++y) {
        const uchar* coverage = m_legend.constScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(legend.scanLine(y));
        for (int x = 0; x < legend.width(); ++x) {
            const int a = coverage[x];
            out[x] = qRgba(ink.red() * a / 255, ink.green() * a / 255, ink.blue() * a / 255, a);
        }
    }
    painter.drawImage(0, 0, legend);
}

QFont CPngButton::TextFont() const {
    QFont font(m_face);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, (m_textSize * logicalDpiY() + 36) / 72));
    font.setWeight(static_cast<QFont::Weight>(m_heavy ? kHeavyWeight : kNormalWeight));
    return font;
}

QRect CPngButton::TextRect() const {
    return QRect(QPoint(m_textMargins[0], m_textMargins[2]),
                 QPoint(width() + m_textMargins[1] - 1, height() + m_textMargins[3] - 1));
}

// Level text is fitted to its box; turned text keeps the skin's own layout.
bool CPngButton::FitsToBox() const {
    return m_escapement == 0 && !m_heavy && !(m_textFormat & kTextWordBreak);
}

bool CPngButton::CaptionFits() const {
    if (!m_drawText || !FitsToBox() || text().isEmpty()) {
        return true;
    }
    return FitCaption(text().left(kMaxTextLength), TextFont(), TextRect().size()).fits;
}

void CPngButton::DrawText(QPainter& painter, QColor colour) {
    painter.setPen(colour);
    const QFont font = TextFont();
    painter.setFont(font);

    const QString label = text().left(kMaxTextLength);
    if (FitsToBox()) {
        const QRect box = TextRect();
        const CaptionLayout layout = FitCaption(label, font, box.size());
        if (layout.lines.size() > 1) {
            DrawCaptionLines(painter, layout, box, Qt::Alignment(QtTextFlags(m_textFormat)));
        } else {
            painter.setFont(layout.font);
            DrawFormattedText(painter, label, box, m_textFormat, 0);
        }
        return;
    }
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
