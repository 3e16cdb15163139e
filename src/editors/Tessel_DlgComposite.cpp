// The key-assignment editor's life: opening for a key, the entry it reads,
// where it is placed, the language request, questions, closing.

#include "editors/Tessel_DlgComposite.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "app/ProgramPaths.h"
#include "editors/Tessel_DlgCompositeMacroPage.h"
#include "model/AssignmentLists.h"
#include "model/ConfigStore.h"
#include "platform/MainWindowRequests.h"
#include "platform/PrivateProfile.h"
#include "platform/qt/QtText.h"
#include "resident/HelpPage.h"
#include "skin/EditorPlacement.h"
#include "skin/SkinIni.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinPictures.h"
#include "storage/ProfileSettings.h"
#include "text/LanguageTable.h"

namespace tessel {

using namespace composite_ids;

namespace {

constexpr char16_t kLanguageIni[] = u"Skins\\language.ini";
constexpr std::size_t kTooltipBuffer = 260;
constexpr std::size_t kCycleDigits = 3;

const char16_t* const kMouseChoiceTexts[kMouseChoiceCount] = {
    u"IDS_KEYBOARD_MOU_LEFT", u"IDS_KEYBOARD_MOU_RIGHT", u"IDS_KEYBOARD_MOU_MIDDLE", u"IDS_ROLL_UP",
    u"IDS_ROLL_DOWN"};

}  // namespace

Tessel_DlgComposite::Tessel_DlgComposite(const KeyEditorServices& services, KeyEditorHost& host,
                                         QWidget* parent)
    : CBaseDialog(CompositeDialogTemplate(), parent, services.paths.compositeSkinFile,
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
    m_services.settings.WriteRecordDelay(recordDelay);

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
        mouse->addItem(ToQString(m_services.texts.LocalText(text)));
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
    const ScreenPoint corner =
        PlaceBesideButton({area.left(), area.top(), area.right() + 1, area.bottom() + 1},
                          {button.left(), button.top(), button.right() + 1, button.bottom() + 1},
                          width(), height(), m_macroOnly || button.isNull());
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

void Tessel_DlgComposite::SetModified(bool modified) {
    m_modified = modified;
    GetDlgItem(kApply)->setEnabled(modified);
}

Tessel_DlgComposite::NestedAnswer Tessel_DlgComposite::ShowNested(const std::u16string& text,
                                                                  PromptButtons buttons,
                                                                  PromptIcon icon) {
    const unsigned opening = m_opening;
    ++m_questionsShown;
    const PromptAnswer answer = m_services.prompter.ShowMessage(text, u"", buttons, icon);
    --m_questionsShown;
    return {answer, IsStillOpen(opening)};
}

PromptAnswer Tessel_DlgComposite::Ask(const std::u16string& text, PromptButtons buttons,
                                      PromptIcon icon) {
    const NestedAnswer nested = ShowNested(text, buttons, icon);
    if (nested.stillOpen) {
        return nested.answer;
    }
    return buttons == PromptButtons::YesNoCancel || buttons == PromptButtons::OkCancel
               ? PromptAnswer::Cancel
               : PromptAnswer::No;
}

bool Tessel_DlgComposite::Tell(const std::u16string& text, PromptIcon icon) {
    return ShowNested(text, PromptButtons::Ok, icon).stillOpen;
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
    if (ApplyKeyEditor()) {
        Close(kIdOk);
    }
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
                OpenHelpPage(m_services.paths.helpFolder, m_services.prompter, m_services.texts);
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
