#include <QLinearGradient>
#include <QPainter>

#include "Paint.h"
#include "Theme.h"

// The application-rules window: the rules list, the name to add with Add and
// Remove beside it, the on/off switch and the choice for other applications.
namespace skingen {

namespace {

Element Button(const char* entry, const QRect& r, Glyph glyph, Role role = Role::Command) {
    return {QString::fromLatin1(entry), r, Art::GlyphPlate, role, {}, glyph};
}

Element Place(const char* entry, const QRect& r) {
    return PlacedOnly(QString::fromLatin1(entry), r);
}

void PaintFrame(QPainter& p, QSize size) {
    PaintDialogFrame(p, size, Glyph::Layers, true);
    // The rules list and the settings below it, each on a card.
    DrawCard(p, {16, 60, 488, 196}, theme::kCard, theme::kCardEdge, 8);
    DrawCard(p, {16, 310, 364, 76}, theme::kCard, theme::kCardEdge, 8);
}

}  // namespace

SkinWindow AppProfileSkin() {
    SkinWindow w;
    w.iniFile = QStringLiteral("AppProfiles.ini");
    w.size = {520, 400};
    w.cornerRadius = 12;
    w.backgroundFile = QStringLiteral("appprofile_bg.jpg");
    w.maskFile = QStringLiteral("appprofile_mask.bmp");
    w.paintBackground = PaintFrame;
    w.elements = {
        Place("CONTROL_TITLE", {56, 15, 440, 24}),
        Place("RULE_LIST", {20, 64, 480, 188}),
        Place("APP_INPUT", {20, 266, 250, 32}),
        Button("FUNC_ADD", {278, 264, 110, 36}, Glyph::Plus),
        Button("FUNC_DELETE", {394, 264, 110, 36}, Glyph::Trash),
        Place("FOLLOW_SWITCH", {28, 318, 344, 24}),
        Place("OTHER_PROMPT", {28, 350, 150, 28}),
        Place("OTHER_LIST", {182, 350, 190, 28}),
        Place("NOTICE", {20, 64, 480, 188}),
        Button("CONTROL_OK", {396, 350, 104, 36}, Glyph::Check),
    };
    w.sheets = {{QStringLiteral("appprofile_normal.jpg"), Look::Normal, {}},
                {QStringLiteral("appprofile_over.jpg"), Look::Over, {}},
                {QStringLiteral("appprofile_down.jpg"), Look::Down, {}}};
    return w;
}

}  // namespace skingen
