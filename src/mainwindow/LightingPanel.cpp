#include "mainwindow/LightingPanel.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include "mainwindow/LightingPanelControls.h"
#include "mainwindow/LightingProgress.h"
#include "mainwindow/LightingQtColour.h"
#include "model/LightingEffects.h"
#include "model/LightingModel.h"
#include "skin/SkinIni.h"
#include "skin/qt/CBaseDialog.h"
#include "skin/qt/SkinPictures.h"
#include "text/LanguageTable.h"
#include "widgets/CBitmapSlider.h"
#include "widgets/CSkinColorBtn.h"
#include "widgets/ClickablePicture.h"

namespace tessel {
namespace {

constexpr int kSliderPageSize = 10;
constexpr int kPaletteColumns = 10;
const QString kOtherColourText = QStringLiteral("Other...");

// Pictures the user clicks.
constexpr int kClickablePictures[] = {kIdLightingSwitch,    kIdDirectionLeft,     kIdDirectionRight,
                                      kIdColourfulPictureA, kIdColourfulPictureB, kIdToolPlain,
                                      kIdToolLinked};
constexpr int kRgbEdits[] = {kIdRedEdit, kIdGreenEdit, kIdBlueEdit};

struct CaptionEntry {
    std::u16string_view key;
    std::initializer_list<int> ids;
};
const CaptionEntry kCaptions[] = {
    {u"Usb", {kIdReportRateCaption}},
    {u"Deng", {kIdLightingCaption}},
    {u"Light", {kIdBrightnessCaption}},
    {u"FX", {kIdDirectionCaption}},
    {u"Speed", {kIdSpeedCaption}},
    {u"Color", {kIdColourCaptionB, kIdColourCaptionA, kIdPlainColourCaption}},
    {u"JColor", {kIdLinkedColourCaption}},
    {u"DC", {kIdColourfulCaptionA, kIdColourfulCaptionB}},
    {u"Tool", {kIdToolCaption}},
};

}  // namespace

LightingPanel::LightingPanel(CBaseDialog& window, LightingModel& model, LightingFiles& files,
                             LightingPanelHost& host, std::filesystem::path programFolder,
                             std::filesystem::path mainIni, EffectNames effectNames)
    : m_window(window),
      m_model(model),
      m_files(files),
      m_host(host),
      m_programFolder(std::move(programFolder)),
      m_mainIni(std::move(mainIni)),
      m_effectNames(std::move(effectNames)) {}

LightingPanel::~LightingPanel() = default;

void LightingPanel::InitLightingPanel() {
    m_pictures.Load(SkinFolderOf(m_mainIni));
    m_progress =
        std::make_unique<LightingProgress>(m_window.Item<QLabel>(kIdProgressPicture), m_pictures);
    const std::pair<int, QString> sliders[] = {
        {kIdBrightnessSlider, LightingPictures::BrightnessPicture(0)},
        {kIdSpeedSlider, LightingPictures::SpeedPicture(1)},
    };
    for (const auto& [id, picture] : sliders) {
        if (auto* slider = m_window.Item<CBitmapSlider>(id)) {
            slider->SetDlgCtrlID(id);
            slider->SetBitmap(m_pictures.Get(picture));
            slider->SetRange(0, LightingSettings::kMaxSliderPosition);
            slider->SetPageSize(kSliderPageSize);
            slider->SetPos(0);
        }
    }
    LoadLightingCaptions();
    for (int id : kLightingColourButtons) {
        if (auto* button = ColourButton(id)) {
            button->SetOtherText(kOtherColourText);
            button->SetColumnsNum(kPaletteColumns);
        }
    }
    SetPicture(kIdProgressPicture, LightingPictures::ProgressFrame(1));
    if (QWidget* progress = m_window.GetDlgItem(kIdProgressPicture)) {
        progress->hide();
    }
    const char* const variants[] = {"hong", "huang", "lv", "lan"};
    for (int i = 0; i < 4; ++i) {
        SetPicture(kIdVariantPictureFirst + i, QStringLiteral("%1.bmp").arg(variants[i]));
    }
    for (int i = 0; i < kSwatchCount; ++i) {
        SetPicture(kIdSwatchFirst + i, QStringLiteral("Color%1.bmp").arg(i + 1));
    }
    ConnectControls();
}

void LightingPanel::ConnectControls() {
    if (QComboBox* effects = List(kIdEffectList)) {
        connect(effects, &QComboBox::currentIndexChanged, this, [this] { OnEffectSelected(); });
    }
    if (QComboBox* modes = List(kIdCustomModeList)) {
        modes->setEditable(true);
        modes->setInsertPolicy(QComboBox::NoInsert);
        connect(modes, &QComboBox::currentIndexChanged, this, [this] { OnCustomModeSelected(); });
        // Only the user's typing renames a mode, not a change of selection.
        connect(modes->lineEdit(), &QLineEdit::textEdited, this,
                [this](const QString& text) { OnCustomModeEdited(text); });
    }
    for (int id : {kIdColourButtonA, kIdColourButtonB}) {
        if (auto* button = ColourButton(id)) {
            connect(button, &CSkinColorBtn::ColourChosen, this, [this, id] { OnColourPicked(id); });
        }
    }
    if (auto* plain = ColourButton(kIdPlainColourButton)) {
        connect(plain, &CSkinColorBtn::ColourChosen, this,
                [this] { OnCustomColourPicked(CustomColour::Plain); });
    }
    if (auto* linked = ColourButton(kIdLinkedColourButton)) {
        connect(linked, &CSkinColorBtn::ColourChosen, this,
                [this] { OnCustomColourPicked(CustomColour::Linked); });
    }
    for (int id : kRgbEdits) {
        if (auto* edit = m_window.Item<QLineEdit>(id)) {
            // Digits only.
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("\\d{0,3}")), edit));
            connect(edit, &QLineEdit::textChanged, this, [this, id] { OnRgbEdited(id); });
        }
    }
    for (int id : kClickablePictures) {
        if (QWidget* picture = m_window.GetDlgItem(id)) {
            picture->installEventFilter(this);
        }
    }
    // A slider's request may still be queued when the panel goes away.
    QPointer<LightingPanel> self(this);
    m_window.Requests().Map().On(kSliderMovedMessage, [self](uintptr_t wParam, intptr_t lParam) {
        if (self && wParam <= static_cast<uintptr_t>(INT32_MAX)) {
            self->OnSliderMoved(static_cast<int>(wParam), static_cast<int>(lParam));
        }
        return intptr_t{0};
    });
}

void LightingPanel::LoadLightingCaptions() {
    const int selector =
        ReadLanguageSelector(SkinFilePath(m_programFolder, u"Skins\\language.ini"));
    const auto section = CaptionSectionFor(selector);
    if (!section) {
        return;
    }
    for (const CaptionEntry& caption : kCaptions) {
        const QString text =
            QString::fromStdU16String(ReadCaption(m_mainIni, *section, caption.key));
        for (int id : caption.ids) {
            if (auto* label = m_window.Item<QLabel>(id)) {
                label->setText(text);
            }
        }
    }
}

void LightingPanel::FillLightingPanel() {
    const LightingSettings& current = m_model.Current();
    FillEffectList();
    m_host.ShowReportRate(current.reportRate);
    ShowSliders();
    for (int id : {kIdColourButtonA, kIdColourButtonB}) {
        if (auto* button = ColourButton(id)) {
            button->SetColor(ToQColor(current.colour));
        }
    }
    ShowColourfulPictures(current.colourful);
    ShowCustomModeTools();
    ShowDirectionPictures(current.effect, current.direction);
    SelectListEffect(current.effect);
    m_switchOn = m_model.LightingSwitch();
    if (m_switchOn) {
        SetPicture(kIdLightingSwitch, QStringLiteral("dengdown.bmp"));
        ShowPanelForEffect(current.effect);
        if (current.effect == kCustomEffect) {
            m_host.ShowKeyColours();
        }
    } else {
        SetPicture(kIdLightingSwitch, QStringLiteral("dengup.bmp"));
        HideAllGroups();
    }
    PlaceDirectionGroup(m_window, m_mainIni, current.effect);
}

void LightingPanel::FillEffectList() {
    QComboBox* list = List(kIdEffectList);
    m_listCodes = m_model.OfferedEffectCodes();
    if (!list) {
        return;
    }
    const QSignalBlocker blocker(list);
    list->clear();
    // The language file names the effects whichever language table is in use.
    for (int code : m_listCodes) {
        list->addItem(m_effectNames ? QString::fromStdU16String(m_effectNames(code))
                                    : QString::number(code));
    }
}

void LightingPanel::SelectListEffect(int effectCode) {
    QComboBox* list = List(kIdEffectList);
    if (!list) {
        return;
    }
    const auto found = std::find(m_listCodes.begin(), m_listCodes.end(), effectCode);
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(found == m_listCodes.end()
                              ? -1
                              : static_cast<int>(std::distance(m_listCodes.begin(), found)));
}

int LightingPanel::SelectedEffectCode() const {
    const QComboBox* list = List(kIdEffectList);
    const int position = list ? list->currentIndex() : -1;
    if (position < 0 || position >= static_cast<int>(m_listCodes.size())) {
        return 0;
    }
    return m_listCodes[static_cast<std::size_t>(position)];
}

void LightingPanel::ShowPanelForEffect(int effectCode) {
    for (LightingGroup group : kLightingGroups) {
        const bool shown = GroupShownFor(group, effectCode);
        for (int id : ControlsOf(group)) {
            if (QWidget* control = m_window.GetDlgItem(id)) {
                control->setVisible(shown);
            }
        }
    }
}

void LightingPanel::HideAllGroups() {
    ShowPanelForEffect(0);
}

void LightingPanel::ToggleLightingSwitch() {
    if (m_switchOn) {
        m_switchOn = false;
        SaveLightingSwitch(false);
        SetPicture(kIdLightingSwitch, QStringLiteral("dengup.bmp"));
        m_host.ResetKeyLooks();
        m_host.ShowAssignments();
        HideAllGroups();
        return;
    }
    // Refused, the switch still counts as on; the next click turns it off.
    m_switchOn = true;
    if (!m_host.SwitchToActiveScene()) {
        return;
    }
    SaveLightingSwitch(true);
    SetPicture(kIdLightingSwitch, QStringLiteral("dengdown.bmp"));
    const int code = SelectedEffectCode();
    if (code == kCustomEffect) {
        m_host.ShowKeyColours();
    }
    ShowPanelForEffect(code);
    if (auto* linked = ColourButton(kIdLinkedColourButton)) {
        linked->SetColor(ToQColor(m_model.Tools().linkedColour));
    }
}

void LightingPanel::SaveLightingSwitch(bool on) {
    if (!m_model.SetLightingSwitch(on)) {
        m_host.TellLightingSwitchNotSaved();
    }
}

void LightingPanel::TurnLightingSwitchOff() {
    if (m_switchOn) {
        ToggleLightingSwitch();
    }
}

void LightingPanel::OnEffectSelected() {
    const QComboBox* list = List(kIdEffectList);
    if (!list || list->currentIndex() < 0) {
        return;
    }
    const int code = SelectedEffectCode();
    m_host.ResetKeyLooks();
    PlaceDirectionGroup(m_window, m_mainIni, code);
    ShowDirectionPictures(code, m_model.Current().direction);
    // Codes the keyboard lists but a profile cannot hold send nothing and keep
    // the previous effect.
    if (m_model.SelectEffect(code) && code == kCustomEffect) {
        m_host.ShowKeyColours();
    }
    ShowPanelForEffect(code);
}

bool LightingPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return false;
    }
    for (int id : kClickablePictures) {
        if (m_window.GetDlgItem(id) == watched) {
            OnPictureClicked(id);
            // Handled here, so the press does not start dragging the window.
            return true;
        }
    }
    return false;
}

void LightingPanel::OnPictureClicked(int id) {
    switch (id) {
        case kIdLightingSwitch:
            ToggleLightingSwitch();
            break;
        case kIdDirectionLeft:
            ChooseDirection(DirectionSide::Left);
            break;
        case kIdDirectionRight:
            ChooseDirection(DirectionSide::Right);
            break;
        case kIdColourfulPictureA:
        case kIdColourfulPictureB:
            ToggleColourful();
            break;
        case kIdToolPlain:
            ChooseTool(0);
            break;
        case kIdToolLinked:
            ChooseTool(1);
            break;
        default:
            break;
    }
}

void LightingPanel::SetPicture(int id, const QString& pictureName) {
    if (auto* picture = m_window.Item<QLabel>(id)) {
        picture->setPixmap(m_pictures.Get(pictureName));
    }
    // A picture's pressed look ("...down.bmp") is its on state, for readers.
    if (auto* clickable = m_window.Item<ClickablePicture>(id)) {
        clickable->SetChecked(pictureName.endsWith(QLatin1String("down.bmp")));
    }
}

CSkinColorBtn* LightingPanel::ColourButton(int id) const {
    return m_window.Item<CSkinColorBtn>(id);
}

QComboBox* LightingPanel::List(int id) const {
    return m_window.Item<QComboBox>(id);
}

void LightingPanel::StartProgress() {
    if (m_progress) {
        m_progress->StartProgress();
    }
}

void LightingPanel::StopProgress() {
    if (m_progress) {
        m_progress->StopProgress();
    }
}

}  // namespace tessel
