#include <QLinearGradient>
#include <QPainter>

#include "Paint.h"
#include "Theme.h"

// The three editor dialogs: the key-assignment editor with its four pages,
// the scene-mode manager and the firmware-update dialog.
namespace skingen {

namespace {

Element Button(const char* entry, const QRect& r, Art art, Role role, Glyph glyph = Glyph::None) {
    return {QString::fromLatin1(entry), r, art, role, {}, glyph};
}

Element Place(const char* entry, const QRect& r) {
    return PlacedOnly(QString::fromLatin1(entry), r);
}

// Pages of the key-assignment editor, in the order its sheets name them.
enum Page { kKeyPage, kMacroPage, kMediaPage, kFunctionPage, kMacroPage2 };

void PaintCompositePage(QPainter& p, const QRect& r, int page) {
    const bool recording = page == kMacroPage2;
    DrawCard(p, r, theme::kCard, recording ? theme::kAccentDim : theme::kCardEdge, 10);
    p.fillRect(QRect(r.left() + 10, r.top(), r.width() - 20, 2),
               recording ? theme::kAccent : theme::kAccentDim);
    // A faint mark tells the single-list pages apart; the macro page is full of controls.
    const Glyph watermark[] = {Glyph::Keyboard, Glyph::None, Glyph::Play, Glyph::Menu, Glyph::None};
    const QRectF corner(r.right() - 84, r.bottom() - 84, 64, 64);
    DrawGlyph(p, corner, watermark[page], QColor(0xff, 0xff, 0xff, 14));
}

// Marks the macro page's buttons: only the macro sheets draw them, so hovering
// the page area of another page shows no trace of them.
std::vector<Element> OnMacroPages(std::vector<Element> elements) {
    for (Element& e : elements) e.pages = (1u << kMacroPage) | (1u << kMacroPage2);
    return elements;
}

std::vector<Sheet> PageSheets(const QString& prefix, int page, bool withDisabled) {
    std::vector<Sheet> sheets = {{prefix + QStringLiteral("_normal.jpg"), Look::Normal, {}, page},
                                 {prefix + QStringLiteral("_over.jpg"), Look::Over, {}, page},
                                 {prefix + QStringLiteral("_down.jpg"), Look::Down, {}, page}};
    if (withDisabled) {
        sheets.push_back({prefix + QStringLiteral("_disable.jpg"), Look::Disabled, {}, page});
    }
    return sheets;
}

}  // namespace

SkinWindow CompositeSkin() {
    SkinWindow w;
    w.iniFile = QStringLiteral("Composite.ini");
    w.size = {640, 470};
    w.cornerRadius = 12;
    w.backgroundFile = QStringLiteral("composite_bg.jpg");
    w.maskFile = QStringLiteral("composite_mask.bmp");
    w.paintBackground = [](QPainter& p, QSize size) {
        PaintDialogFrame(p, size, Glyph::None, false);
    };
    w.paintPage = PaintCompositePage;
    const int x = 216, wide = 388;
    w.elements = {
        Button("CONTROL_TITLE", {14, 10, 32, 32}, Art::TitleGlyph, Role::Static, Glyph::Keyboard),
        Place("KEY_SETTING", {56, 15, 420, 24}),
        Button("CONTROL_KEY", {16, 68, 164, 40}, Art::GlyphPlate, Role::Toggle, Glyph::Keyboard),
        Button("CONTROL_MACRO", {16, 114, 164, 40}, Art::GlyphPlate, Role::Toggle, Glyph::Macro),
        Button("CONTROL_MEDIA", {16, 160, 164, 40}, Art::GlyphPlate, Role::Toggle, Glyph::Play),
        Button("CONTROL_FUNCTION", {16, 206, 164, 40}, Art::GlyphPlate, Role::Toggle, Glyph::Menu),
        Button("CONTROL_CLEAR", {16, 262, 164, 40}, Art::GlyphPlate, Role::Command, Glyph::Eraser),
        Button("CONTROL_OSK", {16, 308, 164, 40}, Art::IconPlate, Role::Command, Glyph::Keyboard),
        Button("CONTROL_MASK", {196, 60, 428, 340}, Art::Page, Role::Static),
        Button("CONTROL_OK", {404, 414, 104, 40}, Art::Plate, Role::Command),
        Button("CONTROL_CANCEL", {520, 414, 104, 40}, Art::Plate, Role::Command),
        // Key page.
        Place("TISHI_SINGLE_STATIC", {x, 78, wide, 40}),
        Place("FUNC_KEY_RADIO_KB", {x, 130, 20, 20}),
        Place("FUNC_KEY_RADIO_KB_STATIC", {x + 26, 130, 240, 20}),
        Place("FUNC_KEY_INPUT", {x, 158, wide, 44}),
        Place("FUNC_KEY_RADIO_MOU", {x, 222, 20, 20}),
        Place("FUNC_KEY_RADIO_MOU_STATIC", {x + 26, 222, 240, 20}),
        // Multimedia and function pages.
        Place("MEDIA_SETTING_TISHI", {x, 78, wide, 22}),
        Place("FUNC_MEDIA_SELECT", {x, 110, wide, 30}),
        Place("FUNCTION_KEY_SETTING_TISHI", {x, 78, wide, 22}),
        Place("FUNC_FUNCTION_SELECT", {x, 110, wide, 30}),
        // Macro page.
        Place("MARCO_NAME_SETTING", {212, 74, 80, 26}),
        Place("FUNC_MACRO_LIST", {296, 72, 232, 28}),
        Place("FUNC_MACRO_RECORD_DELAY", {212, 360, 20, 20}),
        Place("FUNC_MACRO_RECORD_DELAY2", {238, 360, 180, 20}),
        Place("FUNC_MACRO_CYCLES_PROMPT", {428, 360, 110, 20}),
        Place("FUNC_MACRO_CYCLES", {546, 357, 68, 26}),
    };
    for (Element& e : OnMacroPages({
             Button("FUNC_MACRO_ADD", {536, 72, 36, 28}, Art::IconPlate, Role::Command,
                    Glyph::Plus),
             Button("FUNC_MACRO_DELETE", {578, 72, 36, 28}, Art::IconPlate, Role::Command,
                    Glyph::Minus),
             Place("FUNC_MACRO_LIST2", {212, 110, 318, 236}),
             Button("FUNC_MACRO_RECORD", {538, 110, 76, 30}, Art::Plate, Role::Command),
             Button("FUNC_MACRO_DELETE2", {538, 146, 76, 30}, Art::Plate, Role::Command),
             Button("FUNC_MACRO_CLEAR", {538, 182, 76, 30}, Art::Plate, Role::Command),
             Button("FUNC_MACRO_UP_TOP", {538, 222, 76, 28}, Art::Plate, Role::Command),
             Button("FUNC_MACRO_UP", {538, 254, 76, 28}, Art::Plate, Role::Command),
             Button("FUNC_MACRO_DOWN", {538, 286, 76, 28}, Art::Plate, Role::Command),
             Button("FUNC_MACRO_DOWN_BOTTOM", {538, 318, 76, 28}, Art::Plate, Role::Command),
         })) {
        w.elements.push_back(std::move(e));
    }
    for (const auto& [prefix, page, disabled] :
         std::initializer_list<std::tuple<const char*, int, bool>>{
             {"key", kKeyPage, false},
             {"macro", kMacroPage, true},
             {"macro2", kMacroPage2, true},
             {"media", kMediaPage, false},
             {"function", kFunctionPage, false}}) {
        for (Sheet& s : PageSheets(QString::fromLatin1(prefix), page, disabled)) {
            w.sheets.push_back(std::move(s));
        }
    }
    return w;
}

SkinWindow ProfileSkin() {
    SkinWindow w;
    w.iniFile = QStringLiteral("Profile.ini");
    w.size = {520, 400};
    w.cornerRadius = 12;
    w.backgroundFile = QStringLiteral("profile_bg.jpg");
    w.maskFile = QStringLiteral("profile_mask.bmp");
    w.paintBackground = [](QPainter& p, QSize size) {
        PaintDialogFrame(p, size, Glyph::Layers, true);
        DrawCard(p, {16, 60, 488, 230}, theme::kCard, theme::kCardEdge, 8);
    };
    w.elements = {
        Place("PROGRAM_LIST", {20, 64, 480, 222}),
        Button("FUNC_ADD", {20, 302, 110, 36}, Art::GlyphPlate, Role::Command, Glyph::Plus),
        Button("FUNC_LOAD", {138, 302, 110, 36}, Art::GlyphPlate, Role::Command, Glyph::Folder),
        Button("FUNC_DELETE", {256, 302, 110, 36}, Art::GlyphPlate, Role::Command, Glyph::Trash),
        Button("CONTROL2_APPLY", {172, 350, 104, 36}, Art::GlyphPlate, Role::Apply, Glyph::Save),
        Button("CONTROL_OK", {284, 350, 104, 36}, Art::GlyphPlate, Role::Command, Glyph::Check),
        Button("CONTROL_CANCEL", {396, 350, 104, 36}, Art::GlyphPlate, Role::Command, Glyph::Cross),
    };
    w.sheets = {{QStringLiteral("Profile_normal.jpg"), Look::Normal, {}},
                {QStringLiteral("Profile_over.jpg"), Look::Over, {}},
                {QStringLiteral("Profile_down.jpg"), Look::Down, {}}};
    return w;
}

SkinWindow UpdateSkin() {
    SkinWindow w;
    w.iniFile = QStringLiteral("UpdateDlg.ini");
    w.size = {480, 250};
    w.cornerRadius = 12;
    w.backgroundFile = QStringLiteral("update_bg.jpg");
    w.maskFile = QStringLiteral("update_mask.bmp");
    w.paintBackground = [](QPainter& p, QSize size) {
        PaintDialogFrame(p, size, Glyph::ToTop, true);
        DrawCard(p, {20, 68, 338, 36}, QColor(0x12, 0x13, 0x16), theme::kCardEdge, 6);
    };
    w.elements = {
        Place("CONTROL_UPStatic", {28, 72, 322, 28}),
        Place("CONTROL_UPCombox", {24, 112, 330, 26}),
        Button("CONTROL_OPENButton", {366, 70, 94, 32}, Art::GlyphPlate, Role::Command,
               Glyph::Folder),
        Button("CONTROL_BACKUPButton", {20, 182, 136, 40}, Art::GlyphPlate, Role::Command,
               Glyph::Save),
        Button("CONTROL_UPButton", {172, 182, 136, 40}, Art::GlyphPlate, Role::Command,
               Glyph::ToTop),
        Button("CONTROL_CUPButton", {324, 182, 136, 40}, Art::GlyphPlate, Role::Command,
               Glyph::Cross),
    };
    w.sheets = {{QStringLiteral("update_normal.jpg"), Look::Normal, {}},
                {QStringLiteral("update_over.jpg"), Look::Over, {}}};
    return w;
}

}  // namespace skingen
