#include "editors/CTessel_DlgUpdate.h"

#include <QComboBox>
#include <QPointer>

#include <filesystem>
#include <string_view>

#include "app/ProgramPaths.h"
#include "app/UpdaterCheck.h"
#include "device/DeviceResult.h"
#include "device/KeyboardJobs.h"
#include "platform/MainWindowRequests.h"
#include "platform/ShellOpen.h"
#include "platform/qt/QtText.h"
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
    {CTessel_DlgUpdate::kIdPath, Control<ColorStatic>, u"", QRect(28, 72, 322, 28)},
    {CTessel_DlgUpdate::kIdHiddenList, Control<QComboBox>, u"", QRect(24, 112, 330, 26), false},
    {CTessel_DlgUpdate::kIdOpen, Control<CPngButton>, u"Open", QRect(366, 70, 94, 32)},
    {CTessel_DlgUpdate::kIdUpdate, Control<CPngButton>, u"更新", QRect(172, 182, 136, 40)},
    {CTessel_DlgUpdate::kIdCancelUpdate, Control<CPngButton>, u"取消更新",
     QRect(324, 182, 136, 40)},
    {CTessel_DlgUpdate::kIdBackup, Control<CPngButton>, u"备份", QRect(20, 182, 136, 40)},
    // Title bar and one line on what the dialog is for; no skin entry places them.
    {CTessel_DlgUpdate::kIdTitle, Control<ColorStatic>, u"", QRect(52, 14, 400, 24)},
    {CTessel_DlgUpdate::kIdExplanation, Control<ColorStatic>, u"", QRect(24, 140, 436, 32)},
};

const DialogTemplate kTemplate{CTessel_DlgUpdate::kDialogId, u"Firmware update", QSize(480, 250),
                               kControls};

constexpr std::u16string_view kNormalSheet = u"Skins\\update_normal.jpg";
constexpr std::u16string_view kOverSheet = u"Skins\\update_over.jpg";
// The updaters here are programs of any name, not only ".exe" files.
constexpr char16_t kUpdaterFilter[] = u"MyType Files (*.exe);;All files (*)";
// The path's and the buttons' text colour on the dialog's dark plates.
const QColor kPathColour(222, 222, 222);

constexpr char16_t kTitleKey[] = u"IDS_UPDATE_TITLE";
struct Label {
    int id;
    std::u16string_view text;     // drawn beside the button's glyph
    std::u16string_view tooltip;  // what pressing it does
};
constexpr Label kLabels[] = {
    {CTessel_DlgUpdate::kIdOpen, u"IDS_UPDATE_BUTTON_OPEN", u"IDS_UPDATE_OPEN"},
    {CTessel_DlgUpdate::kIdUpdate, u"IDS_UPDATE_BUTTON_UPDATE", u"IDS_UPDATE_UPDATE"},
    {CTessel_DlgUpdate::kIdCancelUpdate, u"IDS_UPDATE_BUTTON_CANCEL", u"IDS_UPDATE_CANCEL"},
    {CTessel_DlgUpdate::kIdBackup, u"IDS_UPDATE_BUTTON_BACKUP", u"IDS_UPDATE_BACKUP"},
};
// The plates carry their glyph at the left; the text goes right of it.
constexpr int kGlyphWidth = 36;
constexpr unsigned kSingleLineLeft = 0x24;

struct SkinnedButton {
    int id;
    std::u16string_view entry;
};
constexpr SkinnedButton kSkinnedButtons[] = {
    {CTessel_DlgUpdate::kIdOpen, u"CONTROL_OPENButton"},
    {CTessel_DlgUpdate::kIdUpdate, u"CONTROL_UPButton"},
    {CTessel_DlgUpdate::kIdCancelUpdate, u"CONTROL_CUPButton"},
    {CTessel_DlgUpdate::kIdBackup, u"CONTROL_BACKUPButton"},
};

}  // namespace

CTessel_DlgUpdate::CTessel_DlgUpdate(UpdateServices services, QWidget* parent)
    : CBaseDialog(kTemplate, parent, services.paths.updateSkinFile,
                  services.paths.updateSkinFolder),
      m_services(std::move(services)) {
    Requests().Map().On(kLanguageMessage, [this](uintptr_t wParam, intptr_t lParam) {
        if (wParam == kLanguageTag) {
            ApplyLanguage(static_cast<int>(lParam));
        }
        return intptr_t{0};
    });
}

CTessel_DlgUpdate::~CTessel_DlgUpdate() = default;

bool CTessel_DlgUpdate::OnInitDialog() {
    CBaseDialog::OnInitDialog();
    LoadButtonPictures();
    PlaceControls();
    if (auto* path = Item<ColorStatic>(kIdPath)) {
        path->SetTextColor(kPathColour);
    }
    BindCommand(kIdOpen, [this] { OnOpen(); });
    BindCommand(kIdUpdate, [this] { OnUpdate(); });
    BindCommand(kIdCancelUpdate, [this] { OnCancelUpdate(); });
    BindCommand(kIdBackup, [this] { OnBackup(); });
    return true;
}

// A missing sheet leaves the buttons blank; only a picture object that cannot
// be created ends the program.
void CTessel_DlgUpdate::LoadButtonPictures() {
    if (m_picturesLoaded) {
        return;
    }
    const std::u16string_view sheets[] = {kNormalSheet, kOverSheet};
    for (std::size_t i = 0; i < m_pictures.size(); ++i) {
        const std::unique_ptr<QImage> picture =
            LoadSkinPicture(m_services.paths.programFolder, sheets[i]);
        if (!picture) {
            EndProcessOnStartupFailure("no memory for the update dialog's pictures");
        }
        RenderSkinPicture(m_pictures[i], *picture, *this);
    }
    m_picturesLoaded = true;
}

void CTessel_DlgUpdate::PlaceControls() {
    const auto& ini = SkinIni();
    const QPixmap* normal = &m_pictures[0];
    const QPixmap* over = &m_pictures[1];
    for (const SkinnedButton& entry : kSkinnedButtons) {
        CPngButton& button = *Item<CPngButton>(entry.id);
        PlaceSkinButton(button, ini, kButtonInfoSection, entry.entry, normal, over, over, normal,
                        normal);
        button.SetTextStyle(true, 10, QStringLiteral("Arial Unicode MS"), kPathColour,
                            QColor(255, 255, 255), kPathColour, QColor(83, 96, 68), kPathColour,
                            kSingleLineLeft);
        button.SetTextMargins(kGlyphWidth, 0, 0, 0);
    }
    PlaceControl(*GetDlgItem(kIdPath), ini, kButtonInfoSection, u"CONTROL_UPStatic");
    PlaceControl(*GetDlgItem(kIdHiddenList), ini, kButtonInfoSection, u"CONTROL_UPCombox");
}

int CTessel_DlgUpdate::RunModal() {
    if (m_open) {
        raise();
        activateWindow();
        return kIdCancel;
    }
    Create();
    m_open = true;
    ApplyLanguage(m_services.languageIndex());
    ShowPath();
    return DoModal();
}

void CTessel_DlgUpdate::ApplyLanguage(int index) {
    const auto text = [&](std::u16string_view key) {
        return ToQString(m_services.languageFiles.LocalText(key, index));
    };
    setWindowTitle(text(kTitleKey));
    GetDlgItem(kIdTitle)->setProperty("text", text(kTitleKey));
    GetDlgItem(kIdExplanation)->setProperty("text", text(u"IDS_UPDATE_EXPLAIN"));
    for (const Label& label : kLabels) {
        if (auto* button = Item<CPngButton>(label.id)) {
            button->setText(text(label.text));
            button->SetTooltip(text(label.tooltip), true);
        }
    }
}

void CTessel_DlgUpdate::ShowPath() {
    if (QWidget* path = GetDlgItem(kIdPath)) {
        path->setProperty("text", ToQString(m_updaterPath));
    }
    update();
}

void CTessel_DlgUpdate::OnOpen() {
    FileDialogRequest request;
    request.filter = kUpdaterFilter;
    // The folder alone: the name box stays empty for updaters of any name.
    request.initialPath = (m_services.paths.packageFolder / "").u16string();
    m_updaterPath = m_services.files.prompter.AskOpenFile(request).value_or(std::u16string());
    ShowPath();
}

void CTessel_DlgUpdate::OnUpdate() {
    if (m_enteringBootMode) {
        return;
    }
    const std::filesystem::path updater(m_updaterPath);
    std::error_code error;
    if (m_updaterPath.empty() || !std::filesystem::exists(updater, error)) {
        Tell(TextEntry::MAIN_UPDATE_ERROR_TEXT, true);
        return;
    }
    // In boot mode the keyboard waits for an updater: one that cannot run
    // would leave it there with nothing to flash it.
    const auto warn = [this](const std::u16string& text) {
        m_services.files.prompter.ShowMessage(text, u"", PromptButtons::Ok, PromptIcon::Warning);
    };
    const auto local = [this](std::u16string_view key) {
        return m_services.languageFiles.LocalText(key, m_services.languageIndex());
    };
    if (const std::u16string_view refusal = UpdaterRefusalKey(updater); !refusal.empty()) {
        warn(local(refusal));
        return;
    }
    // Boot mode takes its turn behind whatever the keyboard is doing; the
    // dialog waits for it without holding the window.
    m_enteringBootMode = true;
    QPointer<CTessel_DlgUpdate> self(this);
    m_services.keyboardJobs.Submit([](DeviceLink& link) { return link.EnterBootMode(); },
                                   [self, updater](int result) {
                                       if (self) {
                                           self->StartUpdater(updater, result == kDeviceDone);
                                       }
                                   },
                                   KeyboardJobs::OnFailure::Quiet);
}

void CTessel_DlgUpdate::StartUpdater(const std::filesystem::path& updater, bool inBootMode) {
    m_enteringBootMode = false;
    // In boot mode the keyboard leaves, and its removal may close the dialog
    // first: the updater it waits for is started all the same.
    if (!inBootMode) {
        Tell(TextEntry::MAIN_BOOT_ERROR_TEXT, true);
        return;
    }
    const int started = StartProgram(updater, ShowCommand::Normal);
    m_updaterPath.clear();
    ShowPath();
    if (!ShellOpenStarted(started)) {
        // The keyboard now waits in boot mode: say what brings it back.
        m_services.files.prompter.ShowMessage(
            m_services.files.languageTable.Value(TextEntry::MAIN_SHELL_ERROR_TEXT) + u"\n" +
                m_services.languageFiles.LocalText(kUpdaterFailedInBootModeKey,
                                                   m_services.languageIndex()),
            u"", PromptButtons::Ok, PromptIcon::Warning);
        return;
    }
    if (m_open) {
        Close(kIdCancel);
    }
}

void CTessel_DlgUpdate::OnCancelUpdate() {
    m_updaterPath.clear();
    ShowPath();
    Close(kIdCancel);
}

void CTessel_DlgUpdate::OnBackup() {
    BackupBeforeUpdate(m_services.files);
}

void CTessel_DlgUpdate::Tell(TextEntry entry, bool failure) {
    m_services.files.prompter.ShowMessage(m_services.files.languageTable.Value(entry), u"",
                                          PromptButtons::Ok,
                                          failure ? PromptIcon::Warning : PromptIcon::Information);
}

// Enter and Esc close the dialog and keep the path; the skin stays loaded for
// the next opening.
void CTessel_DlgUpdate::OnOK() {
    Close(kIdOk);
}

void CTessel_DlgUpdate::OnCancel() {
    Close(kIdCancel);
}

void CTessel_DlgUpdate::CloseAsCancel() {
    if (m_open) {
        OnCancel();
    }
}

void CTessel_DlgUpdate::Close(int result) {
    m_open = false;
    EndDialog(result);
}

}  // namespace tessel
