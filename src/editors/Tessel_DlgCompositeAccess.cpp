// The key-assignment editor for a screen reader: roles of its skinned buttons
// and names, in the editor's language, for every control without a caption.

#include <QWidget>

#include "editors/Tessel_DlgComposite.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinAccessibility.h"

namespace tessel {

using namespace composite_ids;

namespace {

struct ReaderName {
    int id;
    std::u16string_view key;
};

// Skinned buttons keep their name even where the macro-only editor blanks
// their caption.
constexpr ReaderName kButtonNames[] = {
    {kKeyPageButton, u"IDS_COMPOSITE_SELECT_KEY"},
    {kMacroPageButton, u"IDS_COMPOSITE_SELECT_MACRO"},
    {kMediaPageButton, u"IDS_COMPOSITE_SELECT_MEDIA"},
    {kFunctionPageButton, u"IDS_COMPOSITE_SELECT_FUNCTION"},
    {kAddMacro, u"IDS_A11Y_ADD_MACRO"},
    {kDeleteMacro, u"IDS_A11Y_DELETE_MACRO"},
};

constexpr ReaderName kControlNames[] = {
    {kKeyField, u"IDS_KEYBOARD_KEY_SINGLE"},
    {kKeyboardSource, u"IDS_MACRO_KB_KEY"},
    {kMouseSource, u"IDS_MACRO_MOU_KEY"},
    {kMouseList, u"IDS_MACRO_MOU_KEY"},
    {kMediaList, u"IDS_MEDIA_EDIT"},
    {kFunctionList, u"IDS_FUNCTION_EDIT"},
    {kMacroBox, u"IDS_MACRO_NAME"},
    {kActionList, u"IDS_MACRO_ACTION_TISHI"},
    {kRecordDelay, u"IDS_MACRO_RECORD_DELAY"},
    {kCycles, u"IDS_MACRO_CYCLES"},
};

constexpr int kPageButtons[] = {kKeyPageButton, kMacroPageButton, kMediaPageButton,
                                kFunctionPageButton};

}  // namespace

void Tessel_DlgComposite::NameControlsForReaders(int languageIndex) {
    for (int id : kPageButtons) {
        Item<CPngButton>(id)->SetRole(SkinRole::RadioButton);
    }
    Item<CPngButton>(kPictureArea)->SetRole(SkinRole::Label);
    Item<CPngButton>(kTitle)->SetRole(SkinRole::Label);
    for (const ReaderName& name : kButtonNames) {
        const QString text = Text(name.key, languageIndex);
        SetAccessibleTextSource(*GetDlgItem(name.id), [text] { return text; });
    }
    for (const ReaderName& name : kControlNames) {
        GetDlgItem(name.id)->setAccessibleName(Text(name.key, languageIndex));
    }
    GetDlgItem(kKeyField)->setAccessibleDescription(Text(u"IDS_A11Y_CAPTURE_HINT", languageIndex));
    SetReadingTabOrder(*this);
}

}  // namespace tessel
