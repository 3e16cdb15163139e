#pragma once
// The firmware update dialog: the user picks the maker's updater, the dialog
// puts the keyboard into its boot mode and starts the updater, which does the
// flashing on its own; the same dialog backs the configuration up first. One
// object for the whole run, opened modally by the main window's command 32780.

#include <QPixmap>

#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "skin/qt/CBaseDialog.h"
#include "storage/ImportExport.h"

namespace tessel {

class KeyboardJobs;
class LanguageFiles;
struct ProgramPaths;

struct UpdateServices {
    KeyboardJobs& keyboardJobs;
    // The edit store, the prompter and the language table for the backup and
    // the dialog's messages.
    ImportExportContext files;
    const LanguageFiles& languageFiles;
    // The language index in use, for the first opening's labels.
    std::function<int()> languageIndex;
    const ProgramPaths& paths;
};

class CTessel_DlgUpdate : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 149;
    static constexpr int kIdPath = 1179;
    static constexpr int kIdHiddenList = 1178;
    static constexpr int kIdUpdate = 1147;
    static constexpr int kIdCancelUpdate = 1180;
    static constexpr int kIdOpen = 1181;
    static constexpr int kIdBackup = 1182;
    static constexpr int kIdTitle = 1183;
    static constexpr int kIdExplanation = 1184;

    CTessel_DlgUpdate(UpdateServices services, QWidget* parent);
    ~CTessel_DlgUpdate() override;

    // Opens and runs until closed; raises the dialog when it is already open.
    int RunModal();
    bool IsOpen() const { return m_open; }
    // Close-all-editors: as Esc, keeping the updater path.
    void CloseAsCancel();

    // Kept between openings; empty until the user chooses a file.
    const std::u16string& UpdaterPath() const { return m_updaterPath; }
    // Title and button tooltips in language `index`.
    void ApplyLanguage(int index);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void LoadButtonPictures();
    void PlaceControls();
    void OnOpen();
    void OnUpdate();
    // Once the keyboard took (or refused) the boot-mode frame.
    void StartUpdater(const std::filesystem::path& updater, bool inBootMode);
    void OnCancelUpdate();
    void OnBackup();
    void ShowPath();
    void Close(int result);
    void Tell(TextEntry entry, bool failure);

    UpdateServices m_services;
    std::u16string m_updaterPath;
    // Normal and hover sheets, rendered once on the first opening.
    std::array<QPixmap, 2> m_pictures;
    bool m_picturesLoaded = false;
    bool m_open = false;
    // Between asking for boot mode and its answer: Update waits.
    bool m_enteringBootMode = false;
};

}  // namespace tessel
