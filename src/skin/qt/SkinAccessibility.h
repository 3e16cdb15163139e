#pragma once
// What a screen reader and a keyboard user need of the skinned controls: the
// role a skinned button plays, names that follow the language in use, the
// focus mark drawn in the skin's colours, a reading-order tab chain, and
// announcements of changes that happen away from the focus.

#include <QAccessible>
#include <QColor>
#include <QString>

#include <functional>
#include <span>
#include <vector>

class QPainter;
class QWidget;

namespace tessel {

// What a skinned button is to the user.
enum class SkinRole {
    Button,       // a command
    CheckBox,     // shows an on/off state and flips it
    RadioButton,  // one of a group, the checked one is chosen
    Indicator,    // shows a state, takes no click
    Label,        // a picture or text, takes no click
};

// Lets readers ask the skinned controls; run by each control class, once.
void InstallSkinAccessibility();

QAccessible::Role AccessibleRoleOf(SkinRole role);
bool IsCheckable(SkinRole role);
// Indicators and labels are not in the tab chain.
bool TakesFocus(SkinRole role);

// The name is asked for whenever a reader wants it, so it is in the language
// in use. Replaces any earlier source of the widget.
using AccessibleTextSource = std::function<QString()>;
void SetAccessibleTextSource(QWidget& widget, AccessibleTextSource source);
// The source's text; empty when the widget has none.
QString AccessibleSourceText(const QWidget& widget);
// The first non-empty of: the text source, accessibleName(), the fallbacks.
QString AccessibleNameOf(const QWidget& widget, std::initializer_list<QString> fallbacks);

// Tells readers that the name or the state of a widget changed.
void NotifyNameChanged(QWidget& widget);
void NotifyCheckedChanged(QWidget& widget);

// Whether `widget` has the focus and got it from the keyboard (Tab, Shift+Tab,
// the arrows of a group, a shortcut): as on the desktop, the mark shows only
// once the user works with the keyboard, and stays while the window is away.
bool ShowsFocusMark(const QWidget& widget);

// The focus mark: a dotted frame inside the widget, in `colour` when it is
// valid, else the highlight colour of the skin's palette.
void DrawFocusMark(QPainter& painter, const QWidget& widget, QColor colour = QColor());

// Orders the tab chain of `window` as a reader reads: rows top to bottom,
// each row left to right. Each unit is one widget or a group of widgets that
// keep their own order and sit where their first member sits.
using TabUnit = std::vector<QWidget*>;
void SetReadingTabOrder(std::span<const TabUnit> units);
// The same with each child of the window that Tab can reach as a unit.
void SetReadingTabOrder(QWidget& window);

// Says `text` to screen readers as a change in the window of `widget`,
// through a status object of that window. Does nothing for an empty text.
void Announce(QWidget& widget, const QString& text);
// The window's status object, nullptr until the first announcement.
QWidget* AnnouncerOf(const QWidget& window);

}  // namespace tessel
