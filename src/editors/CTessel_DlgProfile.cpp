#include "editors/CTessel_DlgProfile.h"

#include "app/ProgramPaths.h"
#include "device/KeyboardJobs.h"
#include "platform/qt/QtText.h"
#include "resident/HelpPage.h"
#include "skin/SkinIni.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinPictures.h"
#include "skin/qt/SkinPlacement.h"
#include "skin/qt/StartupFailure.h"
#include "storage/ProfileSettings.h"
#include "storage/SceneFile.h"
#include "widgets/ColorStatic.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>

#include <string_view>

namespace tessel {

namespace {

constexpr char16_t kConfigFileSuffix[] = u".fwc";

const ControlTemplate kControls[] = {
    {CTessel_DlgProfile::kIdList, Control<QTableWidget>, u"", QRect(20, 64, 480, 222)},
    {CTessel_DlgProfile::kIdAdd, Control<CPngButton>, u"添加", QRect(20, 302, 110, 36)},
    {CTessel_DlgProfile::kIdLoad, Control<CPngButton>, u"载入", QRect(138, 302, 110, 36)},
    {CTessel_DlgProfile::kIdDelete, Control<CPngButton>, u"删除", QRect(256, 302, 110, 36)},
    {kIdOk, Control<CPngButton>, u"确定", QRect(284, 350, 104, 36)},
    {kIdCancel, Control<CPngButton>, u"取消", QRect(396, 350, 104, 36)},
    {CTessel_DlgProfile::kIdApply, Control<CPngButton>, u"应用", QRect(172, 350, 104, 36)},
    {CTessel_DlgProfile::kIdTest, Control<QPushButton>, u"Test", QRect(20, 350, 60, 24), false},
    // Beside the emblem of the skin's title bar, which no skin entry places.
    {CTessel_DlgProfile::kIdTitle, Control<ColorStatic>, u"", QRect(52, 14, 440, 24)},
};
constexpr char16_t kTitleKey[] = u"IDS_PROFILE_TITLE";

const DialogTemplate kTemplate{CTessel_DlgProfile::kDialogId, u"Scene modes", QSize(520, 400),
                               kControls};

struct Column {
    const char16_t* title;
    int width;
};
constexpr Column kColumns[] = {{u"激活", 60}, {u"名称", 120}, {u"路径", 230}};
enum ColumnIndex { kActiveColumn, kNameColumn, kFolderColumn };

constexpr std::u16string_view kPictureFiles[] = {
    u"Skins\\Profile_normal.jpg",
    u"Skins\\Profile_over.jpg",
    u"Skins\\Profile_down.jpg",
    u"Skins\\Profile_down.jpg",
};

// The buttons show icons only: their tooltips say what they do.
struct SkinnedButton {
    int id;
    std::u16string_view entry;
    std::u16string_view tooltip;
};
constexpr SkinnedButton kSkinnedButtons[] = {
    {CTessel_DlgProfile::kIdAdd, u"FUNC_ADD", u"IDS_PROFILE_ADD_TIP"},
    {CTessel_DlgProfile::kIdLoad, u"FUNC_LOAD", u"IDS_PROFILE_LOAD_TIP"},
    {CTessel_DlgProfile::kIdDelete, u"FUNC_DELETE", u"IDS_PROFILE_DELETE_TIP"},
    {kIdOk, u"CONTROL_OK", u"IDS_PROFILE_OK_TIP"},
    {kIdCancel, u"CONTROL_CANCEL", u"IDS_PROFILE_CANCEL_TIP"},
    {CTessel_DlgProfile::kIdApply, u"CONTROL2_APPLY", u"IDS_PROFILE_APPLY_TIP"},
};
// The title is larger than the captions of the main window.
constexpr int kTitlePoints = 12;

QTableWidgetItem* TextItem(const std::u16string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdU16String(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

CTessel_DlgProfile::CTessel_DlgProfile(const SceneServices& services, ApplyScene applyScene,
                                       QWidget* parent)
    : CBaseDialog(kTemplate, parent, services.paths.profileSkinFile,
                  services.paths.profileSkinFolder),
      m_services(services),
      m_applyScene(std::move(applyScene)) {}

CTessel_DlgProfile::~CTessel_DlgProfile() = default;

bool CTessel_DlgProfile::OnInitDialog() {
    CBaseDialog::OnInitDialog();
    SetUpList();
    LoadButtonPictures();
    PlaceControls();
    BindCommand(kIdAdd, [this] { OnAdd(); });
    BindCommand(kIdLoad, [this] { OnLoad(); });
    BindCommand(kIdDelete, [this] { OnDelete(); });
    BindCommand(kIdApply, [this] { OnApply(); });
    return true;
}

QTableWidget* CTessel_DlgProfile::List() const {
    return Item<QTableWidget>(kIdList);
}

void CTessel_DlgProfile::SetUpList() {
    QTableWidget* list = List();
    list->setColumnCount(static_cast<int>(std::size(kColumns)));
    QStringList titles;
    for (const Column& column : kColumns) {
        titles << ToQString(column.title);
    }
    list->setHorizontalHeaderLabels(titles);
    list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < list->columnCount(); ++i) {
        list->setColumnWidth(i, kColumns[i].width);
    }
    list->verticalHeader()->hide();
    list->setShowGrid(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The check marks stay visible on the skin's dark list.
    list->setStyleSheet(QStringLiteral(
        "QTableView::indicator { width: 12px; height: 12px; border: 1px solid #9AA0A8;"
        " border-radius: 2px; background: #1C1F24; }"
        " QTableView::indicator:checked { background: #D0303A; }"));
    connect(list, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { OnCheckChanged(item); });
}

// The pictures are window-sized and kept for every later opening.
void CTessel_DlgProfile::LoadButtonPictures() {
    if (m_picturesLoaded) {
        return;
    }
    for (std::size_t i = 0; i < m_pictures.size(); ++i) {
        const std::unique_ptr<QImage> picture =
            LoadSkinPicture(m_services.paths.programFolder, kPictureFiles[i]);
        if (!picture) {
            EndProcessOnStartupFailure("no memory for the scene-mode manager's pictures");
        }
        RenderSkinPicture(m_pictures[i], *picture, *this);
    }
    m_picturesLoaded = true;
}

void CTessel_DlgProfile::PlaceControls() {
    const auto& ini = SkinIni();
    for (const SkinnedButton& button : kSkinnedButtons) {
        PlaceSkinButton(*Item<CPngButton>(button.id), ini, kButtonInfoSection, button.entry,
                        &m_pictures[0], &m_pictures[1], &m_pictures[2], &m_pictures[3],
                        &m_pictures[0]);
    }
    PlaceControl(*List(), ini, kButtonInfoSection, u"PROGRAM_LIST");
    if (auto* title = Item<ColorStatic>(kIdTitle)) {
        QFont font = title->font();
        font.setPointSize(kTitlePoints);
        font.setBold(true);
        title->setFont(font);
    }
}

// Again at every opening: the language may have changed meanwhile.
void CTessel_DlgProfile::ShowTexts() {
    const QString title = ToQString(m_services.texts.LocalText(kTitleKey));
    setWindowTitle(title);
    if (auto* label = Item<ColorStatic>(kIdTitle)) {
        label->setText(title);
    }
    for (const SkinnedButton& button : kSkinnedButtons) {
        Item<CPngButton>(button.id)->SetTooltip(
            ToQString(m_services.texts.LocalText(button.tooltip)), true);
    }
}

int CTessel_DlgProfile::RunModal() {
    if (IsOpen()) {
        raise();
        activateWindow();
        return kIdCancel;
    }
    Create();
    BeginOpening();
    return DoModal();
}

void CTessel_DlgProfile::OpenModeless() {
    if (IsOpen()) {
        return;
    }
    Create();
    BeginOpening();
    show();
}

// One row per scene, all of them the scene-mode file, then the files added
// or loaded before and applied; the active profile's row is checked.
void CTessel_DlgProfile::BeginOpening() {
    ++m_openCount;
    ShowTexts();
    m_rows.clear();
    List()->setRowCount(0);
    const SceneRow sceneRow = SceneRowOf(m_services.sceneFile.Path());
    for (int i = 0; i < kSceneCount; ++i) {
        AppendRow(sceneRow);
    }
    const std::vector<std::u16string> saved = m_services.settings.ReadSceneRows();
    for (std::size_t i = kSceneCount; i < saved.size(); ++i) {
        AppendRow(SceneRowOf(std::filesystem::path(saved[i])));
    }
    const int active = m_services.keyboardJobs.CachedActiveProfile();
    if (active >= 0) {
        CheckRow(active);
    }
    SetModified(false);
}

void CTessel_DlgProfile::AppendRow(const SceneRow& row) {
    QTableWidget* list = List();
    m_filling = true;
    const int index = list->rowCount();
    list->insertRow(index);
    auto* check = new QTableWidgetItem;
    check->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    check->setCheckState(Qt::Unchecked);
    list->setItem(index, kActiveColumn, check);
    list->setItem(index, kNameColumn, TextItem(row.name));
    list->setItem(index, kFolderColumn, TextItem(row.folder));
    m_rows.push_back(row);
    m_filling = false;
}

void CTessel_DlgProfile::CheckRow(int row) {
    QTableWidget* list = List();
    if (row < 0 || row >= list->rowCount()) {
        return;
    }
    m_filling = true;
    for (int i = 0; i < list->rowCount(); ++i) {
        list->item(i, kActiveColumn)->setCheckState(i == row ? Qt::Checked : Qt::Unchecked);
    }
    m_filling = false;
}

std::optional<int> CTessel_DlgProfile::CheckedRow() const {
    const QTableWidget* list = List();
    for (int i = 0; i < list->rowCount(); ++i) {
        if (list->item(i, kActiveColumn)->checkState() == Qt::Checked) {
            return i;
        }
    }
    return std::nullopt;
}

// At most one row is checked; every change of a check mark is a change to apply.
void CTessel_DlgProfile::OnCheckChanged(QTableWidgetItem* item) {
    if (m_filling || item->column() != kActiveColumn) {
        return;
    }
    if (item->checkState() == Qt::Checked) {
        CheckRow(item->row());
    }
    SetModified(true);
}

void CTessel_DlgProfile::SetModified(bool modified) {
    m_modified = modified;
    if (QWidget* apply = GetDlgItem(kIdApply)) {
        apply->setEnabled(modified);
    }
}

ImportExportContext CTessel_DlgProfile::FileContext() const {
    return {m_services.editStore, m_services.prompter, m_services.languageTable,
            m_services.dataFolder, m_services.texts};
}

// A file that could not be written is listed all the same.
void CTessel_DlgProfile::OnAdd() {
    if (const auto created = NewSceneFile(FileContext())) {
        AppendRow(created->row);
        SetModified(true);
    }
}

void CTessel_DlgProfile::OnLoad() {
    if (const auto chosen = AddSceneFile(FileContext())) {
        AppendRow(*chosen);
        SetModified(true);
    }
}

void CTessel_DlgProfile::OnDelete() {
    QTableWidget* list = List();
    const QList<QTableWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    const int row = selected.front()->row();
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        return;
    }
    list->removeRow(row);
    m_rows.erase(m_rows.begin() + row);
    if (list->rowCount() > 0) {
        list->selectRow(row < list->rowCount() ? row : list->rowCount() - 1);
    }
    SetModified(true);
}

void CTessel_DlgProfile::OnApply() {
    std::vector<std::u16string> paths;
    for (const SceneRow& row : m_rows) {
        paths.push_back(row.folder + row.name + kConfigFileSuffix);
    }
    m_services.settings.WriteSceneRows(paths);
    // Rows beyond the scenes are files, not profiles of the keyboard: they
    // select nothing.
    const std::optional<int> checked = CheckedRow();
    m_applyScene(checked && *checked < kSceneCount ? checked : std::nullopt);
    SetModified(false);
}

void CTessel_DlgProfile::OnOK() {
    OnApply();
    Close(kIdOk);
}

void CTessel_DlgProfile::OnCancel() {
    Close(kIdCancel);
}

void CTessel_DlgProfile::Close(int result) {
    SetModified(false);
    if (m_openCount > 0) {
        --m_openCount;
    }
    EndDialog(result);
}

void CTessel_DlgProfile::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OpenHelpPage(m_services.paths.helpFolder, m_services.prompter, m_services.texts);
        return;
    }
    CBaseDialog::keyPressEvent(event);
}

}  // namespace tessel
