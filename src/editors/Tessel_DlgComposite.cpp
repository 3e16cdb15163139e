#include "editors/Tessel_DlgComposite.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

#include "app/ProgramPaths.h"
#include "editors/Tessel_DlgCompositeMacroPage.h"
#include "model/AssignmentLists.h"
#include "model/ConfigStore.h"
#include "model/KeyNames.h"
#include "platform/MainWindowRequests.h"
#include "platform/PrivateProfile.h"
#include "platform/ShellOpen.h"
#include "platform/qt/QtText.h"
#include "skin/EditorPlacement.h"
#include "skin/SkinIni.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinPictures.h"
#include "skin/qt/SkinPlacement.h"
#include "skin/qt/StartupFailure.h"
#include "storage/ProfileSettings.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"
#include "widgets/ColorStatic.h"

namespace tessel {

using namespace composite_ids;

namespace {

constexpr char16_t kHelpPage[] = u"index.html";
constexpr char16_t kLanguageIni[] = u"Skins\\language.ini";
constexpr std::size_t kTooltipBuffer = 260;
constexpr std::size_t kCycleDigits = 3;

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
    {kKeyPageButton, u"CONTROL_KEY"},  {kMacroPageButton, u"CONTROL_MACRO"},
    {kMediaPageButton, u"CONTROL_MEDIA"}, {kFunctionPageButton, u"CONTROL_FUNCTION"},
    {kClear, u"CONTROL_CLEAR"},        {kTitle, u"CONTROL_TITLE"},
    {kOnScreenKeyboard, u"CONTROL_OSK"}, {kIdOk, u"CONTROL_OK"},
    {kIdCancel, u"CONTROL_CANCEL"},
};

// Image buttons of the macro page, drawn from the macro pictures.
constexpr SkinEntry kMacroPictureButtons[] = {
    {kAddMacro, u"FUNC_MACRO_ADD"},      {kDeleteMacro, u"FUNC_MACRO_DELETE"},
    {kRecord, u"FUNC_MACRO_RECORD"},     {kDeleteAction, u"FUNC_MACRO_DELETE2"},
    {kClearActions, u"FUNC_MACRO_CLEAR"}, {kMoveTop, u"FUNC_MACRO_UP_TOP"},
    {kMoveUp, u"FUNC_MACRO_UP"},         {kMoveDown, u"FUNC_MACRO_DOWN"},
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
    kKeyPageButton, kMacroPageButton, kMediaPageButton, kFunctionPageButton, kClear, kIdOk,
    kIdCancel,      kRecord,          kDeleteAction,    kClearActions,       kMoveTop, kMoveUp,
    kMoveDown,      kMoveBottom,
};

constexpr int kStaticTexts[] = {kHeading,  kMacroNameLabel, kKeyPrompt,
                                kMediaLabel, kFunctionLabel};
constexpr int kOtherLabels[] = {kKeyboardSourceLabel, kMouseSourceLabel, kRecordDelayLabel,
                                kCyclesLabel};

const char16_t* const kMouseChoiceTexts[kMouseChoiceCount] = {
    u"Left Button", u"Right Button", u"Middle Button", u"Roll Up", u"Roll Down"};

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

Tessel_DlgComposite::Tessel_DlgComposite(const KeyEditorServices& services, KeyEditorHost& host,
                                         QWidget* parent)
    : CBaseDialog(kTemplate, parent, services.paths.compositeSkinFile,
                  services.paths.compositeSkinFolder),
      m_services(services),
      m_host(host),
      m_macroPage(std::make_unique<CompositeMacroPage>(*this)),
      m_capture(static_cast<KeyCaptureSink&>(*this)) {
    Requests().Map().On(kLanguageMessage, [this](uintptr_t wParam, intptr_t lParam) {
        return OnLanguageRequest(wParam, lParam);
    });
}

Tessel_DlgComposite::~Tessel_DlgComposite() = default;

bool Tessel_DlgComposite::OnInitDialog() {
    CBaseDialog::OnInitDialog();
    CreateControlsOnce();
    return true;
}

void Tessel_DlgComposite::CreateControlsOnce() {
    LoadPictures();
    PlaceControls();
    m_macroPage->Create();
    KeyField()->setReadOnly(true);
    for (int id : {kApply, kUnused}) {
        Item<QPushButton>(id)->setAutoDefault(false);
    }
    BindCommand(kKeyPageButton, [this] { OnKeyPageButton(); });
    BindCommand(kMacroPageButton, [this] { OnPageButton(4); });
    BindCommand(kMediaPageButton, [this] { OnPageButton(7); });
    BindCommand(kFunctionPageButton, [this] { OnPageButton(8); });
    BindCommand(kClear, [this] { OnClear(); });
    BindCommand(kOnScreenKeyboard, [this] { OnOnScreenKeyboard(); });
    BindCommand(kApply, [this] { ApplyKeyEditor(); });
    BindCommand(kTitle, [] {});
    BindCommand(kPictureArea, [] {});
    BindCommand(kKeyboardSource, [this] { SelectKeySource(KeySource::Keyboard); });
    BindCommand(kMouseSource, [this] { SelectKeySource(KeySource::Mouse); });
    for (int id : {kMediaList, kFunctionList, kMouseList}) {
        connect(List(id), &QComboBox::activated, this, [this] { SetModified(true); });
    }
    auto* cycles = Item<QLineEdit>(kCycles);
    cycles->setMaxLength(static_cast<int>(kCycleDigits));
    connect(cycles, &QLineEdit::textEdited, this,
            [this](const QString& text) { OnCycleCountEdited(text); });
    connect(cycles, &QLineEdit::editingFinished, this, [this] { OnCycleCountFinished(); });
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
        Item<CPngButton>(id)->SetTextStyle(true, 10, arial, normal, over, pressed, disabled,
                                           unused, 37);
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
    const QString checkBoxStyle = QStringLiteral("QCheckBox { color: #E4E4E4; background: transparent; }");
    for (int id : {kKeyboardSource, kMouseSource, kRecordDelay}) {
        GetDlgItem(id)->setStyleSheet(checkBoxStyle);
    }
    Item<CPngButton>(kClear)->SetTooltip(Text(u"IDS_KEYBOARD_MARCO_RESET", m_host.LanguageIndex()),
                                         true);
    m_controlsStyled = true;
}

int Tessel_DlgComposite::OpenKeyEditor(const KeyEditorTarget& target) {
    if (IsOpen()) {
        raise();
        activateWindow();
        return kIdCancel;
    }
    Create();
    if (!BeginOpening(target)) {
        return -1;
    }
    if (m_modeless) {
        show();
        return 0;
    }
    return DoModal();
}

bool Tessel_DlgComposite::BeginOpening(const KeyEditorTarget& target) {
    // Every entry of this opening belongs to the profile active now; without
    // one there is no entry to edit.
    const int profile = m_host.ActiveProfile();
    if (profile < 0) {
        m_services.prompter.ShowMessage(m_services.texts.LocalText(u"IDS_MAIN_DEVICE_PROMRT"), u"",
                                        PromptButtons::Ok, PromptIcon::Warning);
        return false;
    }
    m_profile = profile;
    m_target = target;
    m_macroOnly = target.controlId == kMacroOnlyButton;
    ++m_openCount;
    ++m_opening;

    // Record-delay option, stored back normalised.
    const bool recordDelay =
        m_services.settings.ReadRecordDelay(m_services.languageTable, m_services.texts);
    Item<QCheckBox>(kRecordDelay)->setChecked(recordDelay);
    m_services.settings.WriteRecordDelay(m_services.languageTable, m_services.texts, recordDelay);

    if (!m_controlsStyled) {
        StyleControls();
    }
    FillLists();
    m_macroPage->Load();
    m_firstMacroVisit = true;
    ReadEntry();
    for (int id : {kKeyPageButton, kMediaPageButton, kFunctionPageButton, kClear}) {
        GetDlgItem(id)->setEnabled(!m_macroOnly);
    }
    if (m_macroOnly) {
        EnterMacroOnlyMode();
    }
    for (int id : {kRecordDelay, kKeyboardSource, kMouseSource}) {
        Item<QCheckBox>(id)->setText(QString());
    }
    KeyField()->clear();
    m_capturedCode = 0;
    ShowPage(m_category, true);
    SetModified(false);
    PlaceBesideKey();
    SetOnScreenKeyboardTooltip();
    Send({kLanguageMessage, kLanguageTag, m_host.LanguageIndex()});
    return true;
}

void Tessel_DlgComposite::FillLists() {
    m_filling = true;
    QComboBox* media = List(kMediaList);
    media->clear();
    for (int i = 0; i < kMultimediaCount; ++i) {
        media->addItem(ToQString(MultimediaName(i, m_services.texts, m_services.languageTable)));
    }
    media->setCurrentIndex(0);
    QComboBox* functions = List(kFunctionList);
    functions->clear();
    for (int i = 0; i < kFunctionKeyCount; ++i) {
        functions->addItem(
            ToQString(FunctionKeyName(i, m_services.texts, m_services.languageTable)));
    }
    functions->setCurrentIndex(0);
    QComboBox* mouse = List(kMouseList);
    mouse->clear();
    for (const char16_t* text : kMouseChoiceTexts) {
        mouse->addItem(ToQString(text));
    }
    mouse->setCurrentIndex(0);
    Item<QLineEdit>(kCycles)->setText(QStringLiteral("1"));
    m_filling = false;
}

void Tessel_DlgComposite::ReadEntry() {
    const auto lock = m_services.editStore.Lock();
    const ProfileImage* image = m_services.editStore.Image();
    const KeyAssignment* entry = image ? EntryFor(*image, m_profile, m_target.keyIndex) : nullptr;
    m_storedType = entry ? entry->type : 0;
    m_storedValue = entry ? entry->value : 0;
    m_category = m_storedType;
}

void Tessel_DlgComposite::EnterMacroOnlyMode() {
    m_category = 4;
    for (int id : {kKeyPrompt, kMediaLabel, kFunctionLabel}) {
        GetDlgItem(id)->hide();
    }
}

void Tessel_DlgComposite::PlaceBesideKey() {
    QWidget* mainWindow = parentWidget();
    QScreen* screen = mainWindow && mainWindow->screen() ? mainWindow->screen()
                                                          : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->geometry();
    QRect button;
    if (QWidget* key = m_host.KeyButtonWidget(m_target.controlId)) {
        button = QRect(key->mapToGlobal(QPoint(0, 0)), key->size());
    }
    const ScreenPoint corner = PlaceBesideButton(
        {area.left(), area.top(), area.right() + 1, area.bottom() + 1},
        {button.left(), button.top(), button.right() + 1, button.bottom() + 1}, width(), height(),
        m_macroOnly || button.isNull());
    move(corner.x, corner.y);
}

// The tooltip text comes from the skin's language table in every language.
void Tessel_DlgComposite::SetOnScreenKeyboardTooltip() {
    const std::u16string text =
        GetPrivateProfileString(u"CHINESE", u"COMPOSITE_PROMPT_OSK", u" ", kTooltipBuffer,
                                SkinFilePath(m_services.paths.programFolder, kLanguageIni));
    Item<CPngButton>(kOnScreenKeyboard)->SetTooltip(ToQString(text), true);
}

intptr_t Tessel_DlgComposite::OnLanguageRequest(uintptr_t wParam, intptr_t lParam) {
    if (wParam == kLanguageTag) {
        ApplyLanguage(static_cast<int>(lParam));
    }
    return 0;
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
    for (int id : kTextStyledButtons) {
        Item<CPngButton>(id)->update();
    }
}

void Tessel_DlgComposite::SetModified(bool modified) {
    m_modified = modified;
    GetDlgItem(kApply)->setEnabled(modified);
}

PromptAnswer Tessel_DlgComposite::Ask(const std::u16string& text, PromptButtons buttons,
                                      PromptIcon icon) {
    const unsigned opening = m_opening;
    ++m_questionsShown;
    const PromptAnswer answer = m_services.prompter.ShowMessage(text, u"", buttons, icon);
    --m_questionsShown;
    if (IsOpen() && opening == m_opening) {
        return answer;
    }
    return buttons == PromptButtons::YesNoCancel || buttons == PromptButtons::OkCancel
               ? PromptAnswer::Cancel
               : PromptAnswer::No;
}

void Tessel_DlgComposite::CloseKeyEditor() {
    if (!IsOpen()) {
        return;
    }
    // A question of the editor still on screen goes with it; its answer then
    // counts as No.
    if (m_questionsShown > 0) {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->reject();
        }
    }
    OnCancel();
}

void Tessel_DlgComposite::OnOK() {
    if (!IsOpen()) {
        return;
    }
    ApplyKeyEditor();
    Close(kIdOk);
}

void Tessel_DlgComposite::OnCancel() {
    if (!IsOpen()) {
        return;
    }
    Close(kIdCancel);
}

void Tessel_DlgComposite::Close(int result) {
    RemoveCapture();
    m_macroPage->StopRecording();
    m_macroPage->Discard();
    SetModified(false);
    --m_openCount;
    EndDialog(result);
}

// Enter and Esc neither close the editor nor press a button; F1 opens the
// help unless a macro is being recorded.
void Tessel_DlgComposite::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            return;
        case Qt::Key_F1:
            if (!m_macroPage->IsRecording()) {
                ShellOpen(kHelpPage, u"", m_services.paths.helpFolder, ShowCommand::Normal);
            }
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void Tessel_DlgComposite::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        return;
    }
    QDialog::keyReleaseEvent(event);
}

QComboBox* Tessel_DlgComposite::List(int id) const {
    return Item<QComboBox>(id);
}

QLineEdit* Tessel_DlgComposite::KeyField() const {
    return Item<QLineEdit>(kKeyField);
}

}  // namespace tessel
