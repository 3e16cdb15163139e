// The key-assignment editor's look: its template, the skin entries and
// pictures of its controls, fonts and colours, and the texts of each language.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "app/ProgramPaths.h"
#include "editors/Tessel_DlgComposite.h"
#include "editors/Tessel_DlgCompositeMacroPage.h"
#include "model/AssignmentTooltip.h"
#include "model/KeyNames.h"
#include "platform/qt/QtText.h"
#include "skin/SkinIni.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinPictures.h"
#include "skin/qt/SkinPlacement.h"
#include "skin/qt/StartupFailure.h"
#include "text/LocalText.h"
#include "text/SafeFormat.h"
#include "widgets/ColorStatic.h"

namespace tessel {

using namespace composite_ids;

namespace {

// Controls the skin does not place stay at their template rectangle: Apply
// beside OK and Cancel, the mouse list under its source button.
const ControlTemplate kControls[] = {
    // The picture area lies under the controls of the pages.
    {kPictureArea, Control<CPngButton>, u"", QRect(196, 60, 428, 340)},
    {kTitle, Control<CPngButton>, u"", QRect(14, 10, 32, 32)},
    {kHeading, Control<ColorStatic>, u"", QRect(56, 15, 420, 24)},
    {kKeyPageButton, Control<CPngButton>, u"", QRect(16, 68, 164, 40)},
    {kMacroPageButton, Control<CPngButton>, u"", QRect(16, 114, 164, 40)},
    {kMediaPageButton, Control<CPngButton>, u"", QRect(16, 160, 164, 40)},
    {kFunctionPageButton, Control<CPngButton>, u"", QRect(16, 206, 164, 40)},
    {kClear, Control<CPngButton>, u"", QRect(16, 262, 164, 40)},
    {kOnScreenKeyboard, Control<CPngButton>, u"", QRect(16, 308, 164, 40)},
    {kApply, Control<QPushButton>, u"Apply", QRect(292, 414, 100, 40)},
    {kIdOk, Control<CPngButton>, u"", QRect(404, 414, 104, 40)},
    {kIdCancel, Control<CPngButton>, u"", QRect(520, 414, 104, 40)},
    {kUnused, Control<QPushButton>, u"", QRect(0, 0, 1, 1), false},
    // Key page.
    {kKeyPrompt, Control<ColorStatic>, u"", QRect(216, 78, 388, 40)},
    {kKeyboardSource, Control<QCheckBox>, u"", QRect(216, 130, 20, 20)},
    {kKeyboardSourceLabel, Control<ColorStatic>, u"", QRect(242, 130, 240, 20)},
    {kKeyField, Control<QLineEdit>, u"", QRect(216, 158, 388, 44)},
    {kMouseSource, Control<QCheckBox>, u"", QRect(216, 222, 20, 20)},
    {kMouseSourceLabel, Control<ColorStatic>, u"", QRect(242, 222, 240, 20)},
    {kMouseList, Control<QComboBox>, u"", QRect(216, 250, 388, 30)},
    // Multimedia and function pages.
    {kMediaLabel, Control<ColorStatic>, u"", QRect(216, 78, 388, 22)},
    {kMediaList, Control<QComboBox>, u"", QRect(216, 110, 388, 30)},
    {kFunctionLabel, Control<ColorStatic>, u"", QRect(216, 78, 388, 22)},
    {kFunctionList, Control<QComboBox>, u"", QRect(216, 110, 388, 30)},
    // Macro page.
    {kMacroNameLabel, Control<ColorStatic>, u"", QRect(212, 74, 80, 26)},
    {kMacroBox, Control<QComboBox>, u"", QRect(296, 72, 232, 28)},
    {kAddMacro, Control<CPngButton>, u"", QRect(536, 72, 36, 28)},
    {kDeleteMacro, Control<CPngButton>, u"", QRect(578, 72, 36, 28)},
    {kActionList, Control<QTableWidget>, u"", QRect(212, 110, 318, 236)},
    {kRecord, Control<CPngButton>, u"", QRect(538, 110, 76, 30)},
    {kDeleteAction, Control<CPngButton>, u"", QRect(538, 146, 76, 30)},
    {kClearActions, Control<CPngButton>, u"", QRect(538, 182, 76, 30)},
    {kMoveTop, Control<CPngButton>, u"", QRect(538, 222, 76, 28)},
    {kMoveUp, Control<CPngButton>, u"", QRect(538, 254, 76, 28)},
    {kMoveDown, Control<CPngButton>, u"", QRect(538, 286, 76, 28)},
    {kMoveBottom, Control<CPngButton>, u"", QRect(538, 318, 76, 28)},
    {kRecordDelay, Control<QCheckBox>, u"", QRect(212, 360, 20, 20)},
    {kRecordDelayLabel, Control<ColorStatic>, u"", QRect(238, 360, 180, 20)},
    {kCyclesLabel, Control<ColorStatic>, u"", QRect(428, 360, 110, 20)},
    {kCycles, Control<QLineEdit>, u"", QRect(546, 357, 68, 26)},
};

const DialogTemplate kTemplate{kDialogId, u"Key assignment", QSize(640, 470), kControls};

struct SkinEntry {
    int id;
    std::u16string_view entry;
};

// Image buttons drawn from the key pictures.
constexpr SkinEntry kKeyPictureButtons[] = {
    {kKeyPageButton, u"CONTROL_KEY"},     {kMacroPageButton, u"CONTROL_MACRO"},
    {kMediaPageButton, u"CONTROL_MEDIA"}, {kFunctionPageButton, u"CONTROL_FUNCTION"},
    {kClear, u"CONTROL_CLEAR"},           {kTitle, u"CONTROL_TITLE"},
    {kOnScreenKeyboard, u"CONTROL_OSK"},  {kIdOk, u"CONTROL_OK"},
    {kIdCancel, u"CONTROL_CANCEL"},
};

// Image buttons of the macro page, drawn from the macro pictures.
constexpr SkinEntry kMacroPictureButtons[] = {
    {kAddMacro, u"FUNC_MACRO_ADD"},
    {kDeleteMacro, u"FUNC_MACRO_DELETE"},
    {kRecord, u"FUNC_MACRO_RECORD"},
    {kDeleteAction, u"FUNC_MACRO_DELETE2"},
    {kClearActions, u"FUNC_MACRO_CLEAR"},
    {kMoveTop, u"FUNC_MACRO_UP_TOP"},
    {kMoveUp, u"FUNC_MACRO_UP"},
    {kMoveDown, u"FUNC_MACRO_DOWN"},
    {kMoveBottom, u"FUNC_MACRO_DOWN_BOTTOM"},
};

// The other controls, moved and sized by the skin.
constexpr SkinEntry kPlacedControls[] = {
    {kKeyField, u"FUNC_KEY_INPUT"},
    {kKeyboardSource, u"FUNC_KEY_RADIO_KB"},
    {kMouseSource, u"FUNC_KEY_RADIO_MOU"},
    {kKeyboardSourceLabel, u"FUNC_KEY_RADIO_KB_STATIC"},
    {kMouseSourceLabel, u"FUNC_KEY_RADIO_MOU_STATIC"},
    {kKeyPrompt, u"TISHI_SINGLE_STATIC"},
    {kMediaList, u"FUNC_MEDIA_SELECT"},
    {kMediaLabel, u"MEDIA_SETTING_TISHI"},
    {kFunctionList, u"FUNC_FUNCTION_SELECT"},
    {kFunctionLabel, u"FUNCTION_KEY_SETTING_TISHI"},
    {kHeading, u"KEY_SETTING"},
    {kMacroBox, u"FUNC_MACRO_LIST"},
    {kMacroNameLabel, u"MARCO_NAME_SETTING"},
    {kActionList, u"FUNC_MACRO_LIST2"},
    {kRecordDelay, u"FUNC_MACRO_RECORD_DELAY"},
    {kRecordDelayLabel, u"FUNC_MACRO_RECORD_DELAY2"},
    {kCycles, u"FUNC_MACRO_CYCLES"},
    {kCyclesLabel, u"FUNC_MACRO_CYCLES_PROMPT"},
};

struct PictureFiles {
    std::u16string_view normal, over, down, disabled;
};
constexpr PictureFiles kKeyFiles{u"Skins\\key_normal.jpg", u"Skins\\key_over.jpg",
                                 u"Skins\\key_down.jpg", u"Skins\\key_normal.jpg"};
constexpr PictureFiles kMacroFiles{u"Skins\\macro_normal.jpg", u"Skins\\macro_over.jpg",
                                   u"Skins\\macro_down.jpg", u"Skins\\macro_disable.jpg"};
constexpr PictureFiles kMacro2Files{u"Skins\\macro2_normal.jpg", u"Skins\\macro2_over.jpg",
                                    u"Skins\\macro2_down.jpg", u"Skins\\macro2_disable.jpg"};
constexpr PictureFiles kMediaFiles{u"Skins\\media_normal.jpg", u"Skins\\media_over.jpg",
                                   u"Skins\\media_down.jpg", u"Skins\\media_normal.jpg"};
constexpr PictureFiles kFunctionFiles{u"Skins\\function_normal.jpg", u"Skins\\function_over.jpg",
                                      u"Skins\\function_down.jpg", u"Skins\\function_normal.jpg"};

// The texts of the language request: control, text key.
constexpr SkinEntry kLanguageTexts[] = {
    {kClear, u"IDS_KEYBOARD_MARCO_RESET"},
    {kMacroPageButton, u"IDS_COMPOSITE_SELECT_MACRO"},
    {kFunctionPageButton, u"IDS_COMPOSITE_SELECT_FUNCTION"},
    {kIdOk, u"IDS_COMPOSITE_OK"},
    {kIdCancel, u"IDS_COMPOSITE_CANCEL"},
    {kApply, u"IDS_MAIN_Apply"},
    {kMoveTop, u"IDS_COMPOSITE_MACRO_ACTION_UPTOP"},
    {kMoveUp, u"IDS_COMPOSITE_MACRO_ACTION_UP"},
    {kMoveDown, u"IDS_COMPOSITE_MACRO_ACTION_DOWN"},
    {kMoveBottom, u"IDS_COMPOSITE_MACRO_ACTION_DOWNBOTTOM"},
    {kRecord, u"IDS_COMPOSITE_MACRO_ACTION_RECORD"},
    {kDeleteAction, u"IDS_COMPOSITE_MACRO_ACTION_DELETE"},
    {kClearActions, u"IDS_COMPOSITE_MACRO_ACTION_CLEAR"},
    {kCyclesLabel, u"IDS_MACRO_CYCLES"},
    {kRecordDelayLabel, u"IDS_MACRO_RECORD_DELAY"},
    {kKeyboardSourceLabel, u"IDS_MACRO_KB_KEY"},
    {kMouseSourceLabel, u"IDS_MACRO_MOU_KEY"},
    {kKeyPrompt, u"IDS_KEYBOARD_KEY_SINGLE"},
    {kMacroNameLabel, u"IDS_MACRO_NAME"},
    {kMediaLabel, u"IDS_MEDIA_EDIT"},
    {kFunctionLabel, u"IDS_FUNCTION_EDIT"},
};

constexpr int kTextStyledButtons[] = {
    kKeyPageButton, kMacroPageButton, kMediaPageButton, kFunctionPageButton, kClear,
    kIdOk,          kIdCancel,        kRecord,          kDeleteAction,       kClearActions,
    kMoveTop,       kMoveUp,          kMoveDown,        kMoveBottom,
};

// Buttons whose picture carries a glyph at its left: their text is centred in
// the rest.
constexpr int kGlyphButtons[] = {kKeyPageButton, kMediaPageButton, kMacroPageButton,
                                 kFunctionPageButton, kClear};
constexpr int kGlyphWidth = 26;

constexpr int kStaticTexts[] = {kHeading, kMacroNameLabel, kKeyPrompt, kMediaLabel, kFunctionLabel};
constexpr int kOtherLabels[] = {kKeyboardSourceLabel, kMouseSourceLabel, kRecordDelayLabel,
                                kCyclesLabel};

const QColor kLabelColour(0xE4, 0xE4, 0xE4);

QFont PointFont(const QString& face, double points) {
    QFont font(face);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    return font;
}

void LoadPictureSet(std::array<QPixmap, 4>& set, const PictureFiles& files,
                    const std::filesystem::path& programFolder, const QWidget& window) {
    const std::u16string_view names[] = {files.normal, files.over, files.down, files.disabled};
    for (std::size_t i = 0; i < set.size(); ++i) {
        const std::unique_ptr<QImage> picture = LoadSkinPicture(programFolder, names[i]);
        if (!picture) {
            EndProcessOnStartupFailure("no memory for the key-assignment editor's pictures");
        }
        RenderSkinPicture(set[i], *picture, window);
    }
}
}  // namespace

const DialogTemplate& CompositeDialogTemplate() {
    return kTemplate;
}

// Window-sized pictures, loaded on the first opening and kept for the run.
void Tessel_DlgComposite::LoadPictures() {
    if (m_picturesLoaded) {
        return;
    }
    const auto& folder = m_services.paths.programFolder;
    LoadPictureSet(m_keyPictures, kKeyFiles, folder, *this);
    LoadPictureSet(m_macroPictures, kMacroFiles, folder, *this);
    LoadPictureSet(m_macro2Pictures, kMacro2Files, folder, *this);
    LoadPictureSet(m_mediaPictures, kMediaFiles, folder, *this);
    LoadPictureSet(m_functionPictures, kFunctionFiles, folder, *this);
    m_picturesLoaded = true;
}

void Tessel_DlgComposite::PlaceControls() {
    const auto& ini = SkinIni();
    const PictureSet& key = m_keyPictures;
    for (const SkinEntry& button : kKeyPictureButtons) {
        // A page button shows its page as marked with the pressed picture.
        PlaceSkinButton(*Item<CPngButton>(button.id), ini, kButtonInfoSection, button.entry,
                        &key[0], &key[1], &key[2], &key[3], &key[2]);
    }
    const PictureSet& macro = m_macroPictures;
    for (const SkinEntry& button : kMacroPictureButtons) {
        PlaceSkinButton(*Item<CPngButton>(button.id), ini, kButtonInfoSection, button.entry,
                        &macro[0], &macro[1], &macro[2], &macro[3], &macro[2]);
    }
    PlaceSkinButton(*Item<CPngButton>(kPictureArea), ini, kButtonInfoSection, u"CONTROL_MASK",
                    &key[0], &key[0], &key[0], &key[0], &key[0]);
    for (const SkinEntry& control : kPlacedControls) {
        PlaceControl(*GetDlgItem(control.id), ini, kButtonInfoSection, control.entry);
    }
}

void Tessel_DlgComposite::StyleControls() {
    const QColor normal(0xDE, 0xDE, 0xDE);
    const QColor over(0xFF, 0x00, 0x00);
    const QColor pressed(0x83, 0x2A, 0x26);
    const QColor disabled(0x53, 0x60, 0x44);
    const QColor unused(0xC8, 0xC8, 0xC8);
    const QString arial = QStringLiteral("Arial Unicode MS");
    const QString verdana = QStringLiteral("Verdana");
    for (int id : kTextStyledButtons) {
        Item<CPngButton>(id)->SetTextStyle(true, 10, arial, normal, over, pressed, disabled, unused,
                                           37);
    }
    for (int id : kGlyphButtons) {
        Item<CPngButton>(id)->SetTextMargins(kGlyphWidth, 0, 0, 0);
    }
    KeyField()->setFont(PointFont(verdana, 18));
    List(kMediaList)->setFont(PointFont(arial, 12));
    List(kFunctionList)->setFont(PointFont(verdana, 12));
    List(kMacroBox)->setFont(PointFont(verdana, 12));
    for (int id : kStaticTexts) {
        auto* label = Item<ColorStatic>(id);
        label->setFont(PointFont(arial, 10.8));
        label->SetTextColor(kLabelColour);
    }
    for (int id : kOtherLabels) {
        Item<ColorStatic>(id)->SetTextColor(kLabelColour);
    }
    const QString checkBoxStyle = QStringLiteral(
        "QCheckBox { color: #E4E4E4; background: transparent; }"
        " QCheckBox::indicator { width: 12px; height: 12px;"
        " border: 1px solid #9AA0A8; border-radius: 7px; background: #1C1F24; }"
        " QCheckBox::indicator:checked { background: #D0303A; }");
    for (int id : {kKeyboardSource, kMouseSource, kRecordDelay}) {
        GetDlgItem(id)->setStyleSheet(checkBoxStyle);
    }
    // Apply has no skin picture: it takes the image buttons' text colours.
    GetDlgItem(kApply)->setStyleSheet(QStringLiteral(
        "QPushButton { color: #DEDEDE; background: #2B2F36; border: 1px solid #3C4048;"
        " border-radius: 6px; font: 10pt \"Arial Unicode MS\"; }"
        " QPushButton:hover { color: #FF0000; }"
        " QPushButton:disabled { color: #536044; background: #23262B; }"));
    Item<CPngButton>(kClear)->SetTooltip(Text(u"IDS_KEYBOARD_MARCO_RESET", m_host.LanguageIndex()),
                                         true);
    m_controlsStyled = true;
}

QString Tessel_DlgComposite::Text(std::u16string_view textKey, int languageIndex) const {
    return ToQString(m_services.languageFiles.LocalText(textKey, languageIndex));
}

void Tessel_DlgComposite::ApplyLanguage(int languageIndex) {
    for (const SkinEntry& label : kLanguageTexts) {
        GetDlgItem(label.id)->setProperty("text", Text(label.entry, languageIndex));
    }
    const auto setText = [this, languageIndex](int id, std::u16string_view key) {
        GetDlgItem(id)->setProperty("text", key.empty() ? QString() : Text(key, languageIndex));
    };
    if (m_macroOnly) {
        setText(kHeading, u"IDS_KEYBOARD_EDIT_TISHI");
        setText(kKeyPageButton, u"");
        setText(kMediaPageButton, u"");
        setText(kFunctionPageButton, u"");
    } else {
        setText(kHeading, u"IDS_KEYBOARD_KEY_SETTING");
        setText(kKeyPageButton, u"IDS_COMPOSITE_SELECT_KEY");
        setText(kMediaPageButton, u"IDS_COMPOSITE_SELECT_MEDIA");
        setText(kFunctionPageButton, u"IDS_COMPOSITE_SELECT_FUNCTION");
    }
    // A recording keeps its Stop label whatever the language.
    if (m_macroPage->IsRecording()) {
        setText(kRecord, m_services.languageTable.TextKey(TextKeyEntry::MACRO_ACTION_STOP_RECORD));
    }
    setWindowTitle(TitleText(languageIndex));
    for (int id : kTextStyledButtons) {
        Item<CPngButton>(id)->update();
    }
    NameControlsForReaders(languageIndex);
}

// The title says which key the editor assigns; the macro-only editor always
// assigns the ninth G key.
QString Tessel_DlgComposite::TitleText(int languageIndex) const {
    if (m_macroOnly) {
        return Text(u"IDS_COMPOSITE_TITLE_MACRO_G9", languageIndex);
    }
    const int index = m_target.keyIndex;
    const std::u16string keyName =
        index >= kFirstGKeyIndexBankA
            ? GKeyButtonLabel((index - kFirstGKeyIndexBankA) % kGKeysPerBank)
            : KeyNameOf(KeyCodeOfIndex(static_cast<uint16_t>(index)), m_services.texts,
                        m_services.languageTable);
    return ToQString(SafeFormat(
        m_services.languageFiles.LocalText(u"IDS_COMPOSITE_TITLE_KEY", languageIndex), {keyName}));
}
}  // namespace tessel
