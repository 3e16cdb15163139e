#pragma once
// The window where the user says which application makes which profile
// active: the rules as a list with a profile chooser per row, Add (an
// application with a window open now, or a typed name) and Remove, the on/off
// switch and what other applications do. Every change is stored at once. One
// object for the whole run, shown without blocking the main window.

#include <QPixmap>
#include <array>
#include <filesystem>
#include <functional>

#include "skin/qt/CBaseDialog.h"

namespace tessel {

class FocusSwitchDriver;
class AppProfileRules;
class LanguageFiles;

struct AppProfileDialogServices {
    FocusSwitchDriver& focusSwitch;
    const LanguageFiles& languageFiles;
    std::function<int()> languageIndex;
    std::filesystem::path programFolder;
};

class AppProfileDialog : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 160;
    static constexpr int kIdTitle = 1301;
    static constexpr int kIdRules = 1302;
    static constexpr int kIdApplication = 1303;
    static constexpr int kIdAdd = 1304;
    static constexpr int kIdRemove = 1305;
    static constexpr int kIdSwitch = 1306;
    static constexpr int kIdOtherPrompt = 1307;
    static constexpr int kIdOther = 1308;
    static constexpr int kIdNotice = 1309;

    AppProfileDialog(AppProfileDialogServices services, QWidget* parent);
    ~AppProfileDialog() override;

    // Shows the window with the rules as they are, or raises it.
    void Open();
    bool IsOpen() const { return isVisible(); }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void LoadButtonPictures();
    void PlaceControls();
    void ApplyLanguage();
    void ShowRules();
    void FillApplications();
    void OnAdd();
    void OnRemove();
    // Stores the rules the controls show.
    void StoreRules();
    AppProfileRules RulesShown() const;
    void Close();
    QString Text(std::u16string_view key, const char16_t* fallback) const;

    AppProfileDialogServices m_services;
    std::array<QPixmap, 3> m_pictures;
    bool m_picturesLoaded = false;
    bool m_showing = false;  // filling the controls, not the user
};

}  // namespace tessel
