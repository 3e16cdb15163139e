#pragma once
// For screenshots of the macro page: records keys into a new macro on the
// open key-assignment editor the way a user does it, with clicks on Add and
// Record and key events that carry native scan codes.

#include <QString>

class QWidget;

namespace tessel {

// `keys`: English key labels separated by commas ("A,B,Print Screen"). Each
// key is pressed and released. False, with the reason, for an unknown key
// or an editor without a macro page.
bool RecordMacroForScreenshot(QWidget& editor, const QString& keys, QString& error);

}  // namespace tessel
