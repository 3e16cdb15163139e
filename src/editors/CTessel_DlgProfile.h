#pragma once
// The scene-mode manager: a list with one row per scene mode plus the
// configuration files the user adds or loads; the checked row becomes the
// keyboard's active profile when applied. One object for the whole run,
// opened modally by the main window's scene button.

#include <QImage>
#include <QPixmap>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "editors/SceneSwitch.h"
#include "skin/qt/CBaseDialog.h"
#include "storage/ImportExport.h"

class QTableWidget;
class QTableWidgetItem;

namespace tessel {

class CTessel_DlgProfile : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 131;
    static constexpr int kIdList = 1007;
    static constexpr int kIdLoad = 1008;
    static constexpr int kIdAdd = 1010;
    static constexpr int kIdDelete = 1011;
    static constexpr int kIdApply = 1012;
    static constexpr int kIdTest = 1013;
    static constexpr int kIdTitle = 1014;

    // `applyScene` makes the checked scene's profile (if any) the keyboard's
    // active one, reads its configuration into the edit store and redraws the
    // main window from it.
    using ApplyScene = std::function<void(std::optional<int> profile)>;
    CTessel_DlgProfile(const SceneServices& services, ApplyScene applyScene, QWidget* parent);
    ~CTessel_DlgProfile() override;

    // Opens and runs until closed; OK (1) or Cancel (2).
    int RunModal();
    // Opens without blocking; the dialog closes through OK or Cancel.
    void OpenModeless();

    bool IsOpen() const { return m_openCount > 0; }
    // Unapplied changes; mirrors the enabled state of Apply 1012.
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified);
    // Checks row `row` alone; nothing for a row that does not exist.
    void CheckRow(int row);

    std::vector<SceneRow> Rows() const { return m_rows; }
    std::optional<int> CheckedRow() const;
    QTableWidget* List() const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetUpList();
    void LoadButtonPictures();
    void PlaceControls();
    void ShowTexts();
    void BeginOpening();
    void AppendRow(const SceneRow& row);
    void OnCheckChanged(QTableWidgetItem* item);
    void OnAdd();
    void OnLoad();
    void OnDelete();
    void OnApply();
    void Close(int result);
    ImportExportContext FileContext() const;

    SceneServices m_services;
    ApplyScene m_applyScene;
    std::vector<SceneRow> m_rows;
    // Normal, over, down, and down again for the disabled look.
    std::array<QPixmap, 4> m_pictures;
    bool m_picturesLoaded = false;
    int m_openCount = 0;
    bool m_modified = false;
    bool m_filling = false;
};

}  // namespace tessel
