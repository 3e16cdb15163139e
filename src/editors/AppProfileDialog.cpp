#include "editors/AppProfileDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

#include "appfocus/AppProfileRules.h"
#include "resident/FocusSwitchDriver.h"
#include "skin/SkinIni.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinPictures.h"
#include "skin/qt/SkinPlacement.h"
#include "skin/qt/StartupFailure.h"
#include "text/LocalText.h"
#include "widgets/ColorStatic.h"

namespace tessel {

namespace {

const ControlTemplate kControls[] = {
    {AppProfileDialog::kIdTitle, Control<ColorStatic>, u"", QRect(56, 15, 440, 24)},
    {AppProfileDialog::kIdRules, Control<QTableWidget>, u"", QRect(20, 64, 480, 188)},
    {AppProfileDialog::kIdNotice, Control<ColorStatic>, u"", QRect(20, 64, 480, 188), false},
    {AppProfileDialog::kIdApplication, Control<QComboBox>, u"", QRect(20, 266, 250, 32)},
    {AppProfileDialog::kIdAdd, Control<CPngButton>, u"Add", QRect(278, 264, 110, 36)},
    {AppProfileDialog::kIdRemove, Control<CPngButton>, u"Remove", QRect(394, 264, 110, 36)},
    {AppProfileDialog::kIdSwitch, Control<QCheckBox>, u"", QRect(28, 318, 344, 24)},
    {AppProfileDialog::kIdOtherPrompt, Control<ColorStatic>, u"", QRect(28, 350, 150, 28)},
    {AppProfileDialog::kIdOther, Control<QComboBox>, u"", QRect(182, 350, 190, 28)},
    {kIdOk, Control<CPngButton>, u"Close", QRect(396, 350, 104, 36)},
};

const DialogTemplate kTemplate{AppProfileDialog::kDialogId, u"Application profiles",
                               QSize(520, 400), kControls};

constexpr std::u16string_view kSheets[] = {
    u"Skins\\appprofile_normal.jpg", u"Skins\\appprofile_over.jpg", u"Skins\\appprofile_down.jpg"};
const QColor kText(222, 222, 222);
constexpr int kGlyphWidth = 36;
constexpr unsigned kSingleLineLeft = 0x24;
constexpr int kProfiles = 4;

const QString kDarkControls = QStringLiteral(
    "QTableWidget, QComboBox, QLineEdit { background: #121316; color: #dedede;"
    " border: 1px solid #2e3239; selection-background-color: #53603f; }"
    "QHeaderView::section { background: #1f2227; color: #dedede; border: 0; padding: 4px; }"
    "QCheckBox { color: #dedede; }");

std::filesystem::path SkinFile(const std::filesystem::path& programFolder) {
    return programFolder / "Skins" / "AppProfiles.ini";
}

}  // namespace

AppProfileDialog::AppProfileDialog(AppProfileDialogServices services, QWidget* parent)
    : CBaseDialog(kTemplate, parent, SkinFile(services.programFolder),
                  services.programFolder / "Skins"),
      m_services(std::move(services)) {}

AppProfileDialog::~AppProfileDialog() = default;

bool AppProfileDialog::OnInitDialog() {
    CBaseDialog::OnInitDialog();
    setStyleSheet(kDarkControls);
    LoadButtonPictures();
    PlaceControls();
    auto* rules = Item<QTableWidget>(kIdRules);
    rules->setColumnCount(2);
    rules->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    rules->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    rules->setColumnWidth(1, 150);
    rules->verticalHeader()->hide();
    rules->setSelectionBehavior(QAbstractItemView::SelectRows);
    rules->setSelectionMode(QAbstractItemView::SingleSelection);
    rules->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* application = Item<QComboBox>(kIdApplication);
    application->setEditable(true);
    application->setInsertPolicy(QComboBox::NoInsert);
    connect(Item<QCheckBox>(kIdSwitch), &QCheckBox::toggled, this, [this] { StoreRules(); });
    connect(Item<QComboBox>(kIdOther), &QComboBox::currentIndexChanged, this,
            [this] { StoreRules(); });
    BindCommand(kIdAdd, [this] { OnAdd(); });
    BindCommand(kIdRemove, [this] { OnRemove(); });
    return true;
}

void AppProfileDialog::LoadButtonPictures() {
    if (m_picturesLoaded) {
        return;
    }
    for (std::size_t i = 0; i < m_pictures.size(); ++i) {
        const std::unique_ptr<QImage> picture =
            LoadSkinPicture(m_services.programFolder, kSheets[i]);
        if (!picture) {
            EndProcessOnStartupFailure("no memory for the application rules window's pictures");
        }
        RenderSkinPicture(m_pictures[i], *picture, *this);
    }
    m_picturesLoaded = true;
}

void AppProfileDialog::PlaceControls() {
    const auto& ini = SkinIni();
    const QPixmap* normal = &m_pictures[0];
    const QPixmap* over = &m_pictures[1];
    const QPixmap* down = &m_pictures[2];
    const std::pair<int, std::u16string_view> buttons[] = {
        {kIdAdd, u"FUNC_ADD"}, {kIdRemove, u"FUNC_DELETE"}, {kIdOk, u"CONTROL_OK"}};
    for (const auto& [id, entry] : buttons) {
        CPngButton& button = *Item<CPngButton>(id);
        PlaceSkinButton(button, ini, kButtonInfoSection, entry, normal, over, down, normal, normal);
        button.SetTextStyle(true, 10, QStringLiteral("Arial Unicode MS"), kText,
                            QColor(255, 255, 255), kText, QColor(83, 96, 68), kText,
                            kSingleLineLeft);
        button.SetTextMargins(kGlyphWidth, 0, 0, 0);
    }
    const std::pair<int, std::u16string_view> placed[] = {
        {kIdTitle, u"CONTROL_TITLE"},  {kIdRules, u"RULE_LIST"},
        {kIdNotice, u"NOTICE"},        {kIdApplication, u"APP_INPUT"},
        {kIdSwitch, u"FOLLOW_SWITCH"}, {kIdOtherPrompt, u"OTHER_PROMPT"},
        {kIdOther, u"OTHER_LIST"}};
    for (const auto& [id, entry] : placed) {
        PlaceControl(*GetDlgItem(id), ini, kButtonInfoSection, entry);
    }
    for (int id : {kIdTitle, kIdOtherPrompt, kIdNotice}) {
        Item<ColorStatic>(id)->SetTextColor(kText);
    }
}

QString AppProfileDialog::Text(std::u16string_view key, const char16_t* fallback) const {
    const std::u16string text = m_services.languageFiles.LocalText(key, m_services.languageIndex());
    return QString::fromStdU16String(text.empty() || text == kMissingText ? fallback : text);
}

void AppProfileDialog::ApplyLanguage() {
    setWindowTitle(Text(u"IDS_APPPROFILE_CAPTION", u"Application profiles"));
    GetDlgItem(kIdTitle)->setProperty("text", windowTitle());
    Item<QTableWidget>(kIdRules)->setHorizontalHeaderLabels(
        {Text(u"IDS_APPPROFILE_COLUMN_APP", u"Application"),
         Text(u"IDS_APPPROFILE_COLUMN_PROFILE", u"Profile")});
    Item<CPngButton>(kIdAdd)->setText(Text(u"IDS_APPPROFILE_ADD", u"Add"));
    Item<CPngButton>(kIdRemove)->setText(Text(u"IDS_APPPROFILE_REMOVE", u"Remove"));
    Item<CPngButton>(kIdOk)->setText(Text(u"IDS_APPPROFILE_CLOSE", u"Close"));
    Item<QComboBox>(kIdApplication)
        ->lineEdit()
        ->setPlaceholderText(Text(u"IDS_APPPROFILE_TYPED", u"Application name"));
    Item<QCheckBox>(kIdSwitch)->setText(
        Text(u"IDS_APPPROFILE_SWITCH", u"Follow the application in front"));
    GetDlgItem(kIdOtherPrompt)
        ->setProperty("text", Text(u"IDS_APPPROFILE_OTHER", u"Other applications:"));
    GetDlgItem(kIdNotice)->setProperty(
        "text", Text(u"IDS_APPPROFILE_UNAVAILABLE",
                     u"This desktop does not tell other programs which "
                     u"application is in front: the profile cannot follow it."));
}

namespace {

QString ProfileName(const LanguageFiles& files, int languageIndex, int profile) {
    // The texts of the main window's profile buttons.
    constexpr std::u16string_view kKeys[] = {u"IDS_MAIN_PROFILE1", u"IDS_MAIN_PROFILE2",
                                             u"IDS_MAIN_PROFILE3", u"IDS_MAIN_PROFILE4"};
    const std::u16string text = files.LocalText(kKeys[profile], languageIndex);
    return text.empty() || text == kMissingText ? QStringLiteral("Profile %1").arg(profile + 1)
                                                : QString::fromStdU16String(text);
}

}  // namespace

void AppProfileDialog::ShowRules() {
    m_showing = true;
    const AppProfileRules& rules = m_services.focusSwitch.Rules();
    const int language = m_services.languageIndex();
    auto* table = Item<QTableWidget>(kIdRules);
    table->setRowCount(static_cast<int>(rules.Rules().size()));
    int row = 0;
    for (const AppProfileRule& rule : rules.Rules()) {
        table->setItem(row, 0, new QTableWidgetItem(QString::fromStdU16String(rule.application)));
        auto* chooser = new QComboBox;
        for (int profile = 0; profile < kProfiles; ++profile) {
            chooser->addItem(ProfileName(m_services.languageFiles, language, profile));
        }
        chooser->setCurrentIndex(rule.profile);
        connect(chooser, &QComboBox::currentIndexChanged, this, [this] { StoreRules(); });
        table->setCellWidget(row, 1, chooser);
        ++row;
    }
    Item<QCheckBox>(kIdSwitch)->setChecked(rules.SwitchingOn());
    auto* other = Item<QComboBox>(kIdOther);
    other->clear();
    other->addItem(Text(u"IDS_APPPROFILE_STAY", u"Stay on the current profile"));
    for (int profile = 0; profile < kProfiles; ++profile) {
        other->addItem(ProfileName(m_services.languageFiles, language, profile));
    }
    other->setCurrentIndex(rules.OtherApplications() ? *rules.OtherApplications() + 1 : 0);
    const bool available = m_services.focusSwitch.FocusAvailable();
    GetDlgItem(kIdNotice)->setVisible(!available);
    table->setVisible(available);
    m_showing = false;
}

void AppProfileDialog::FillApplications() {
    auto* application = Item<QComboBox>(kIdApplication);
    const QString typed = application->currentText();
    application->clear();
    for (const std::u16string& name : m_services.focusSwitch.OpenApplications()) {
        application->addItem(QString::fromStdU16String(name));
    }
    application->setCurrentText(typed);
}

void AppProfileDialog::Open() {
    Create();
    m_services.focusSwitch.SetWantOpenApplications(true);
    ApplyLanguage();
    ShowRules();
    FillApplications();
    Item<QComboBox>(kIdApplication)->setCurrentText(QString());
    show();
    raise();
    activateWindow();
}

AppProfileRules AppProfileDialog::RulesShown() const {
    AppProfileRules rules = m_services.focusSwitch.Rules();
    const auto* table = Item<QTableWidget>(kIdRules);
    for (int row = 0; row < table->rowCount(); ++row) {
        const auto* chooser = qobject_cast<QComboBox*>(table->cellWidget(row, 1));
        if (table->item(row, 0) && chooser) {
            rules.Set(table->item(row, 0)->text().toStdU16String(), chooser->currentIndex());
        }
    }
    rules.SetSwitchingOn(Item<QCheckBox>(kIdSwitch)->isChecked());
    const int other = Item<QComboBox>(kIdOther)->currentIndex();
    rules.SetOtherApplications(other > 0 ? std::optional<int>(other - 1) : std::nullopt);
    return rules;
}

void AppProfileDialog::StoreRules() {
    if (!m_showing) {
        m_services.focusSwitch.ChangeRules(RulesShown());
    }
}

void AppProfileDialog::OnAdd() {
    auto* application = Item<QComboBox>(kIdApplication);
    AppProfileRules rules = RulesShown();
    const std::u16string name = application->currentText().trimmed().toStdU16String();
    // A new rule starts on the profile in use now.
    const std::optional<int> known = rules.ProfileFor(name);
    const int active = m_services.focusSwitch.ProfileInForce();
    if (!rules.Set(name, known.value_or(active >= 0 ? active : 0))) {
        return;
    }
    m_services.focusSwitch.ChangeRules(rules);
    application->setCurrentText(QString());
    ShowRules();
}

void AppProfileDialog::OnRemove() {
    auto* table = Item<QTableWidget>(kIdRules);
    const int row = table->currentRow();
    if (row < 0 || !table->item(row, 0)) {
        return;
    }
    AppProfileRules rules = RulesShown();
    rules.Remove(table->item(row, 0)->text().toStdU16String());
    m_services.focusSwitch.ChangeRules(rules);
    ShowRules();
    table->selectRow(std::min(row, table->rowCount() - 1));
}

void AppProfileDialog::OnOK() {
    Close();
}

void AppProfileDialog::OnCancel() {
    Close();
}

void AppProfileDialog::Close() {
    m_services.focusSwitch.SetWantOpenApplications(false);
    EndDialog(kIdOk);
}

}  // namespace tessel
