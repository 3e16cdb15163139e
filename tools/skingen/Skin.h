#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

class QPainter;

namespace skingen {

// The state a sheet shows a control in.
enum class Look { Normal, Over, Down, Checked, Disabled, Colour0, Colour1 };

// How a control is drawn into the sheets.
enum class Art {
    None,         // placed only; the program draws the control itself
    KeyCap,       // key with its legend in the picture
    Plate,        // blank plate; the program draws the text
    LegendPlate,  // plate with its legend in the picture
    GlyphPlate,   // plate with a glyph at its left, room for the program's text
    IconPlate,    // plate with a centred glyph
    TitleGlyph,   // flat glyph of a title bar
    Led,          // lock indicator with its label
    Page,         // an editor's page area; its look follows the sheet's page
};

enum class Glyph {
    None,
    Help,
    Menu,
    Minimise,
    Close,
    Plus,
    Minus,
    Folder,
    Trash,
    Check,
    Cross,
    Keyboard,
    Record,
    ToTop,
    Up,
    Down,
    ToBottom,
    Globe,
    Chat,
    Bird,
    Switch,
    Layers,
    Macro,
    Reset,
    Save,
    Play,
    Logo,
    Eraser,
};

// Which group of looks a control follows from sheet to sheet.
// Static controls look the same on every sheet.
enum class Role { Command, Key, Toggle, Apply, Link, Indicator, Static };

struct Element {
    QString entry;  // skin entry name of section "BUTTONINFO"
    QRect rect;
    Art art = Art::None;
    Role role = Role::Static;
    QString legend;  // text drawn into the picture; a '\n' puts a second, upper line first
    Glyph glyph = Glyph::None;
    // Sheets (by their page, bit per page) that draw this control; an
    // editor's page buttons appear only on the sheets of their page.
    unsigned pages = ~0u;
};

// A control that the skin only places; the program draws it.
inline Element PlacedOnly(QString entry, const QRect& rect) {
    Element e;
    e.entry = std::move(entry);
    e.rect = rect;
    return e;
}

// One button sheet: every control drawn in the look this sheet stands for.
struct Sheet {
    QString file;
    Look look = Look::Normal;
    std::vector<std::pair<Role, Look>> overrides;  // roles that look different here
    int page = 0;                                  // page drawn into Art::Page areas

    bool Draws(const Element& e) const { return (e.pages >> page) & 1u; }

    Look LookOf(Role role) const {
        if (role == Role::Static)
            return Look::Normal;
        for (const auto& [r, l] : overrides) {
            if (r == role)
                return l;
        }
        return look;
    }
};

struct IniSection {
    QString name;
    std::vector<std::pair<QString, QString>> entries;
};

// A skinned window: its INI file, background, mask and sheets.
struct SkinWindow {
    QString iniFile;
    QSize size;
    QString backgroundFile;
    QString maskFile;
    int cornerRadius = 14;
    std::function<void(QPainter&, QSize)> paintBackground;
    std::function<void(QPainter&, const QRect&, int page)> paintPage;  // for Art::Page
    std::vector<Element> elements;
    std::vector<Sheet> sheets;
    std::vector<IniSection> extraSections;  // written after "SCREEN" and "BUTTONINFO"
    QString link;                           // "SCREEN" "Link", main window only
};

SkinWindow MainWindowSkin();
SkinWindow CompositeSkin();
SkinWindow ProfileSkin();
SkinWindow UpdateSkin();
SkinWindow AppProfileSkin();

}  // namespace skingen
