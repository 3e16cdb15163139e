// The four pages of the key-assignment editor: which controls each shows,
// the page buttons, Clear, the key source and the cycle count field.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "editors/Tessel_DlgComposite.h"
#include "editors/Tessel_DlgCompositeMacroPage.h"
#include "model/KeyNames.h"
#include "platform/OnScreenKeyboard.h"
#include "platform/qt/QtText.h"
#include "skin/qt/CPngButton.h"

namespace tessel {

using namespace composite_ids;

namespace {

constexpr int kKeyCategory = 2;
constexpr int kMacroCategory = 4;
constexpr int kMediaCategory = 7;
constexpr int kFunctionCategory = 8;

CompositePage PageOf(int category) {
    switch (category) {
        case kMacroCategory:
            return CompositePage::Macro;
        case kMediaCategory:
            return CompositePage::Multimedia;
        case kFunctionCategory:
            return CompositePage::Function;
        default:
            return CompositePage::Key;
    }
}

struct PageControl {
    int id;
    CompositePage page;
};

// The controls only one page shows.
constexpr PageControl kPageControls[] = {
    {kKeyPrompt, CompositePage::Key},           {kKeyField, CompositePage::Key},
    {kKeyboardSource, CompositePage::Key},      {kMouseSource, CompositePage::Key},
    {kKeyboardSourceLabel, CompositePage::Key}, {kMouseSourceLabel, CompositePage::Key},
    {kMouseList, CompositePage::Key},           {kMacroNameLabel, CompositePage::Macro},
    {kMediaLabel, CompositePage::Multimedia},   {kMediaList, CompositePage::Multimedia},
    {kFunctionLabel, CompositePage::Function},  {kFunctionList, CompositePage::Function},
};

constexpr PageControl kPageButtons[] = {
    {kKeyPageButton, CompositePage::Key},
    {kMacroPageButton, CompositePage::Macro},
    {kMediaPageButton, CompositePage::Multimedia},
    {kFunctionPageButton, CompositePage::Function},
};

}  // namespace

void Tessel_DlgComposite::ShowPage(int category, bool firstShowing) {
    const CompositePage page = PageOf(category);
    m_page = page;
    SetPicturesOfPage(page);
    switch (page) {
        case CompositePage::Macro:
            RemoveCapture();
            ShowMacroPage(firstShowing);
            break;
        case CompositePage::Multimedia:
            RemoveCapture();
            m_macroPage->StopRecording();
            if (firstShowing && m_storedValue < static_cast<uint32_t>(List(kMediaList)->count())) {
                List(kMediaList)->setCurrentIndex(static_cast<int>(m_storedValue));
            }
            break;
        case CompositePage::Function:
            RemoveCapture();
            m_macroPage->StopRecording();
            if (firstShowing &&
                m_storedValue < static_cast<uint32_t>(List(kFunctionList)->count())) {
                List(kFunctionList)->setCurrentIndex(static_cast<int>(m_storedValue));
            }
            break;
        case CompositePage::Key:
            m_macroPage->StopRecording();
            InstallCapture();
            ShowKeyPage(firstShowing);
            break;
    }
    ShowPageControls(page);
}

void Tessel_DlgComposite::ShowKeyPage(bool firstShowing) {
    if (firstShowing) {
        m_capturedCode = CapturedCodeOfEntry(m_storedType, m_storedValue);
    }
    if (m_category == kKeyCategory && m_capturedCode != 0) {
        if (const std::optional<int> mouse = MouseChoiceOf(m_capturedCode)) {
            List(kMouseList)->setCurrentIndex(*mouse);
            ShowKeySource(KeySource::Mouse);
            return;
        }
        KeyField()->setText(
            ToQString(KeyNameOf(m_capturedCode, m_services.texts, m_services.languageTable)));
    }
    ShowKeySource(KeySource::Keyboard);
}

// The first showing selects the key's macro; the first visit of an entry that
// plays no macro selects the first one, so Apply always has a macro to take
// while the list has one.
void Tessel_DlgComposite::ShowMacroPage(bool firstShowing) {
    if (firstShowing || m_firstMacroVisit) {
        const auto storedMacro = static_cast<uint16_t>(m_storedValue & 0xFFFF);
        const bool playsMacro = m_storedType == kMacroCategory && storedMacro != 0;
        const int position = playsMacro ? m_macroPage->FindMacro(storedMacro) : 0;
        m_macroPage->Show(position < 0 ? 0 : position);
    }
    m_firstMacroVisit = false;
}

void Tessel_DlgComposite::ShowPageControls(CompositePage page) {
    for (const PageControl& control : kPageControls) {
        GetDlgItem(control.id)->setVisible(control.page == page);
    }
    // The macro-only editor never shows the prompts of the other pages.
    if (m_macroOnly) {
        for (int id : {kKeyPrompt, kMediaLabel, kFunctionLabel}) {
            GetDlgItem(id)->hide();
        }
    }
    m_macroPage->SetVisible(page == CompositePage::Macro);
    for (const PageControl& button : kPageButtons) {
        Item<CPngButton>(button.id)->SetChecked(button.page == page);
    }
    switch (page) {
        case CompositePage::Key:
            KeyField()->setFocus();
            break;
        case CompositePage::Multimedia:
            List(kMediaList)->setFocus();
            break;
        case CompositePage::Function:
            List(kFunctionList)->setFocus();
            break;
        case CompositePage::Macro:
            break;
    }
}

void Tessel_DlgComposite::SetPicturesOfPage(CompositePage page) {
    const PictureSet* set = &m_keyPictures;
    switch (page) {
        case CompositePage::Macro:
            set = &m_macroPictures;
            break;
        case CompositePage::Multimedia:
            set = &m_mediaPictures;
            break;
        case CompositePage::Function:
            set = &m_functionPictures;
            break;
        case CompositePage::Key:
            break;
    }
    const QPixmap* normal = &(*set)[0];
    Item<CPngButton>(kPictureArea)->SetStateImages(normal, normal, normal, normal, normal, true);
}

void Tessel_DlgComposite::OnPageButton(int category) {
    if (m_category == category) {
        return;
    }
    m_category = category;
    ShowPage(category, false);
    SetModified(true);
}

void Tessel_DlgComposite::OnKeyPageButton() {
    if (m_category == kKeyCategory || m_category == 0) {
        return;
    }
    m_category = kKeyCategory;
    ShowPage(kKeyCategory, false);
    SetModified(true);
}

// Clear forgets the captured key as well, so checking the keyboard source
// again cannot bring back a key the field no longer shows.
void Tessel_DlgComposite::OnClear() {
    OnKeyPageButton();
    if (m_category != kKeyCategory) {
        return;
    }
    KeyField()->clear();
    m_capturedCode = 0;
    m_category = 0;
    ShowKeySource(KeySource::Keyboard);
    SetModified(true);
}

void Tessel_DlgComposite::SelectKeySource(KeySource source) {
    ShowKeySource(source);
    m_category = kKeyCategory;
    SetModified(true);
}

void Tessel_DlgComposite::ShowKeySource(KeySource source) {
    const bool keyboard = source == KeySource::Keyboard;
    KeyField()->setEnabled(keyboard);
    List(kMouseList)->setEnabled(!keyboard);
    Item<QCheckBox>(kKeyboardSource)->setChecked(keyboard);
    Item<QCheckBox>(kMouseSource)->setChecked(!keyboard);
}

KeySource Tessel_DlgComposite::CheckedSource() const {
    return Item<QCheckBox>(kMouseSource)->isChecked() ? KeySource::Mouse : KeySource::Keyboard;
}

// Typing may pass through an empty field; a number is kept within 1..255.
void Tessel_DlgComposite::OnCycleCountEdited(const QString& text) {
    if (!text.isEmpty()) {
        const int count = CycleCountOf(text.toStdU16String());
        if (QString::number(count) != text) {
            Item<QLineEdit>(kCycles)->setText(QString::number(count));
        }
    }
    SetModified(true);
}

void Tessel_DlgComposite::OnCycleCountFinished() {
    auto* cycles = Item<QLineEdit>(kCycles);
    const QString normalised = QString::number(CycleCount());
    if (cycles->text() != normalised) {
        cycles->setText(normalised);
    }
}

int Tessel_DlgComposite::CycleCount() const {
    return CycleCountOf(Item<QLineEdit>(kCycles)->text().toStdU16String());
}

void Tessel_DlgComposite::OnOnScreenKeyboard() {
    OpenOnScreenKeyboard();
}

}  // namespace tessel
