#pragma once
// The main window for a keyboard user and a screen reader: the role and name
// of each control that has no caption or tooltip of its own, the tab chain in
// reading order, and the arrow keys in the keyboard picture and among the
// profile and report-rate buttons.

#include <QString>

#include <functional>
#include <string_view>

namespace tessel {

class CBaseDialog;

// The localised text of a text key, in the language being applied.
using LocalTextOf = std::function<QString(std::u16string_view key)>;

// Names every control in the language of `localText`; the first time also
// sets the roles, the tab chain and the arrow groups. Run after the layout
// and again for each language.
void DescribeMainWindow(CBaseDialog& window, const LocalTextOf& localText);

}  // namespace tessel
