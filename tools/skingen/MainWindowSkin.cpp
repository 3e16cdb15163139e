#include <QLinearGradient>
#include <QPainter>

#include <cmath>

#include "KeyboardLayout.h"
#include "MainWindowLayout.h"
#include "Paint.h"
#include "Theme.h"

// The main window: title bar, toolbar of profile and command buttons, the
// keyboard deck with the G keys and lock indicators, the lighting panel and
// the bottom bar with Apply, OK and Cancel.
namespace skingen {

namespace {

using namespace main_layout;

QRect KeyRect(const KeySpec& key) {
    const double left = kMainX + key.column * kUnit;
    const double top = key.row == 0 ? kFunctionRowY : kFirstRowY + (key.row - 1) * kUnit;
    return QRect(int(std::lround(left)) + kKeyGap, int(top) + kKeyGap,
                 int(std::lround(key.width * kUnit)) - 2 * kKeyGap,
                 int(std::lround(key.height * kUnit)) - 2 * kKeyGap);
}

QRect GKeyRect(int i) {
    const int span = kBottomRowEnd - kFunctionRowY;
    const int top = kFunctionRowY + int(std::lround(i * span / 9.0));
    const int next = kFunctionRowY + int(std::lround((i + 1) * span / 9.0));
    return QRect(kGColumnX + kKeyGap, top + kKeyGap, kUnit - 2 * kKeyGap, next - top - 2 * kKeyGap);
}

Element Key(const QString& entry, const QRect& r, const QString& legend) {
    return {entry, r, Art::KeyCap, Role::Key, legend};
}

Element Button(const QString& entry, const QRect& r, Art art, Role role, Glyph glyph = Glyph::None,
               const QString& legend = {}) {
    return {entry, r, art, role, legend, glyph};
}

Element Place(const QString& entry, const QRect& r) {
    return PlacedOnly(entry, r);
}

void AddKeyboard(std::vector<Element>& out) {
    for (int g = 1; g <= 9; ++g) {
        out.push_back(
            Key(QStringLiteral("FUNC_G%1").arg(g), GKeyRect(g - 1), QStringLiteral("G%1").arg(g)));
    }
    for (const KeySpec& key : kKeys) {
        out.push_back(
            Key(QStringLiteral("KEY_%1").arg(key.keyIndex, 3, 16, QLatin1Char('0')).toUpper(),
                KeyRect(key), QString::fromUtf8(key.legend)));
    }
    out.push_back(Key(QStringLiteral("KEY_FN"), KeyRect(kFnKey), QString::fromUtf8(kFnKey.legend)));
}

void AddTitleAndToolbar(std::vector<Element>& out) {
    out.push_back(
        Button(QStringLiteral("VANTIX_LINK"), kLinkRect, Art::TitleGlyph, Role::Link, Glyph::Logo));
    out.push_back(Place(QStringLiteral("VANTIX_VER"), {250, 19, 200, 18}));
    const Glyph titleGlyphs[] = {Glyph::Help, Glyph::Menu, Glyph::Minimise, Glyph::Close};
    const char* titleEntries[] = {"CONTROL_HELP", "CONTROL_MENU", "CONTROL_MINIMIZE",
                                  "CONTROL_CLOSE"};
    for (int i = 0; i < 4; ++i) {
        out.push_back(Button(QString::fromLatin1(titleEntries[i]),
                             {kWidth - 20 - (4 - i) * 36 + 4, 11, 32, 32}, Art::TitleGlyph,
                             Role::Command, titleGlyphs[i]));
    }
    for (int i = 0; i < 4; ++i) {
        out.push_back(Button(QStringLiteral("FUNC_PROFILE%1").arg(i + 1),
                             {kMainX - kUnit - 14 + i * 112, 64, 104, 34}, Art::Plate,
                             Role::Toggle));
    }
    out.push_back(Button(QStringLiteral("FUNC_PROFILES"), {495, 60, 170, 42}, Art::GlyphPlate,
                         Role::Command, Glyph::Layers));
    out.push_back(Button(QStringLiteral("FUNC_MACRO"), {681, 64, 128, 34}, Art::GlyphPlate,
                         Role::Command, Glyph::Macro));
    out.push_back(Button(QStringLiteral("FUNC_DEFAULT"), {817, 64, 128, 34}, Art::GlyphPlate,
                         Role::Command, Glyph::Reset));
    out.push_back(Button(QStringLiteral("FUNC_SWITCH"), {953, 64, 152, 34}, Art::GlyphPlate,
                         Role::Toggle, Glyph::Switch));
}

void AddDeckControls(std::vector<Element>& out) {
    const char* locks[][2] = {{"LOCK_NUM", "NUM"},
                              {"LOCK_CAPS", "CAPS"},
                              {"LOCK_SCROLL", "SCROLL"},
                              {"LOCK_AB", "A / B"}};
    const int padX = kMainX + int(19 * kUnit);
    for (int i = 0; i < 4; ++i) {
        out.push_back(Button(QString::fromLatin1(locks[i][0]),
                             {padX + i * kUnit + kKeyGap, kFunctionRowY, kUnit - 2 * kKeyGap, 40},
                             Art::Led, Role::Indicator, Glyph::None,
                             QString::fromLatin1(locks[i][1])));
    }
    out.push_back(Button(QStringLiteral("FLIP_1"), kFlipRow[0], Art::LegendPlate, Role::Toggle,
                         Glyph::None, QStringLiteral("F1-F4")));
    out.push_back(Place(QStringLiteral("LEFT_ARROW"), kFlipRow[1]));
    out.push_back(Button(QStringLiteral("FLIP_0"), kFlipRow[2], Art::LegendPlate, Role::Toggle,
                         Glyph::None, QStringLiteral("FLIP")));
    out.push_back(Place(QStringLiteral("RIGHT_ARROW"), kFlipRow[3]));
    out.push_back(Button(QStringLiteral("FLIP_2"), kFlipRow[4], Art::LegendPlate, Role::Toggle,
                         Glyph::None, QStringLiteral("D1-D6")));
}

void AddBottomBar(std::vector<Element>& out) {
    const char* rates[] = {"1000", "500", "250", "125"};
    for (int i = 0; i < 4; ++i) {
        out.push_back(Button(QStringLiteral("FUNC_REPORT%1").arg(i + 1),
                             {kPanelColumns[4] + i * 43, kPanelRow2, 40, 30}, Art::LegendPlate,
                             Role::Toggle, Glyph::None, QString::fromLatin1(rates[i])));
    }
    out.push_back(
        Button(QStringLiteral("CONTROL2_APPLY"), {789, 652, 100, 38}, Art::Plate, Role::Apply));
    out.push_back(
        Button(QStringLiteral("CONTROL_OK"), {897, 652, 100, 38}, Art::Plate, Role::Command));
    out.push_back(
        Button(QStringLiteral("CONTROL_CANCEL"), {1005, 652, 100, 38}, Art::Plate, Role::Command));
    const int x = kPanelColumns[4];
    out.push_back(Place(QStringLiteral("COLOR_R"), {x, kPanelRow1, 52, 28}));
    out.push_back(Place(QStringLiteral("COLOR_G"), {x + 58, kPanelRow1, 52, 28}));
    out.push_back(Place(QStringLiteral("COLOR_B"), {x + 116, kPanelRow1, 52, 28}));
}

void PaintBackground(QPainter& p, QSize size) {
    const QRect all(QPoint(0, 0), size);
    PaintWindowBody(p, size, 180);

    // Product name beside the logo button.
    DrawCaption(p, {62, 11, 200, 20}, QStringLiteral("NEROVA"), theme::kText, 16,
                Qt::AlignLeft | Qt::AlignVCenter);
    DrawCaption(p, {62, 30, 200, 14}, QStringLiteral("PX5 RGB"), theme::kAccent, 10,
                Qt::AlignLeft | Qt::AlignVCenter);

    // The web and social link buttons draw nothing themselves.
    for (const auto& [rect, glyph] : kSocialLinks) {
        DrawGlyph(p, QRectF(rect).adjusted(3, 3, -3, -3), glyph, theme::kTextDim);
    }
    p.fillRect(QRect(kSocialLinks[2].first.right() + 14, 16, 1, 22), theme::kWindowEdge);

    // Keyboard deck with a lit edge.
    DrawCard(p, kDeckRect, theme::kDeck, theme::kDeckEdge, 12);
    p.fillRect(QRect(kDeckRect.left() + 12, kDeckRect.bottom() - 1, kDeckRect.width() - 24, 2),
               theme::kAccentDim);
    p.fillRect(QRect(kGColumnX + kUnit + 6, kFunctionRowY, 1, kBottomRowEnd - kFunctionRowY),
               theme::kDeckEdge);

    // Lighting panel and its section dividers.
    DrawCard(p, kPanelRect, theme::kCard, theme::kCardEdge, 10);
    for (int i = 1; i < 5; ++i) {
        p.fillRect(QRect(kPanelColumns[i] - 12, kPanelRect.top() + 14, 1, kPanelRect.height() - 28),
                   theme::kCardEdge);
    }
    p.fillRect(QRect(22, 640, size.width() - 44, 1), theme::kWindowEdge);
    p.setPen(QPen(theme::kWindowEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(all).adjusted(0.5, 0.5, -0.5, -0.5), 14, 14);
}

}  // namespace

SkinWindow MainWindowSkin() {
    SkinWindow w;
    w.iniFile = QStringLiteral("Main.ini");
    w.size = {kWidth, kHeight};
    w.backgroundFile = QStringLiteral("main_bg.jpg");
    w.maskFile = QStringLiteral("main_mask.bmp");
    w.link = QStringLiteral("https://www.example.com/px5");
    w.paintBackground = PaintBackground;
    AddKeyboard(w.elements);
    AddTitleAndToolbar(w.elements);
    AddDeckControls(w.elements);
    AddBottomBar(w.elements);
    AddLightingPanelEntries(w.elements);
    w.sheets = {
        {QStringLiteral("main_normal.jpg"), Look::Normal, {}},
        {QStringLiteral("main_over.jpg"), Look::Over, {}},
        {QStringLiteral("main_down.jpg"), Look::Down, {}},
        // The disabled sheet is also the checked look of keys and selectable buttons,
        // and the pressed look of the link button.
        {QStringLiteral("main_disable.jpg"),
         Look::Disabled,
         {{Role::Key, Look::Checked}, {Role::Toggle, Look::Checked}, {Role::Link, Look::Down}}},
        {QStringLiteral("main_color0.jpg"), Look::Normal, {{Role::Key, Look::Colour0}}},
        {QStringLiteral("main_color1.jpg"), Look::Normal, {{Role::Key, Look::Colour1}}},
    };
    w.extraSections = {ArrowOffsets(), LightingCaptions(false), LightingCaptions(true)};
    return w;
}

}  // namespace skingen
