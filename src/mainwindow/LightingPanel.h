#pragma once
// The lighting panel of the main window: the switch that opens it, the effect
// list, sliders, direction and colour controls and, for the custom effect,
// the painting tools, custom modes and the painting of single keys. Every
// change goes to the keyboard at once through the lighting model.

#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/LightingPictures.h"
#include "model/LightingColour.h"

class QComboBox;
class QLabel;

namespace tessel {

class CBaseDialog;
class CSkinColorBtn;
class LightingFiles;
class LightingModel;
class LightingProgress;

// What the lighting panel needs of the rest of the main window.
class LightingPanelHost {
public:
    virtual ~LightingPanelHost() = default;
    // The scene-mode switch for the keyboard's active profile; false when refused.
    virtual bool SwitchToActiveScene() = 0;
    virtual void ResetKeyLooks() = 0;
    virtual void ShowAssignments() = 0;
    virtual void ShowKeyColours() = 0;
    // Checks the report-rate button of the rate (0..3) and unchecks the others.
    virtual void ShowReportRate(int rate) = 0;
    // The switch's setting could not be saved.
    virtual void TellLightingSwitchNotSaved() = 0;
    // A change of the profile's custom modes could not be saved in its colour file.
    virtual void TellColourFileNotSaved(int profile) = 0;
};

enum class DirectionSide { Left, Right };
enum class CustomColour { Plain, Linked };

class LightingPanel : public QObject {
public:
    // The name of an effect code in the effect list.
    using EffectNames = std::function<std::u16string(int effectCode)>;

    LightingPanel(CBaseDialog& window, LightingModel& model, LightingFiles& files,
                  LightingPanelHost& host, std::filesystem::path programFolder,
                  std::filesystem::path mainIni, EffectNames effectNames);
    ~LightingPanel() override;

    // Last step of building the window: pictures, sliders, colour buttons,
    // captions, and the panel's own signal and request handlers.
    void InitLightingPanel();
    void LoadLightingCaptions();
    // Shows the current profile's values; run after each lighting load.
    void FillLightingPanel();
    void ShowPanelForEffect(int effectCode);
    void HideAllGroups();

    void ToggleLightingSwitch();
    // As turning the switch off by a click, when it is on.
    void TurnLightingSwitchOff();
    // On while the panel is open, and also after a refused scene switch.
    bool LightingSwitchOn() const { return m_switchOn; }

    void OnEffectSelected();
    // The effect code of the list's selected entry; 0 when nothing is selected.
    int SelectedEffectCode() const;
    void ChooseDirection(DirectionSide side);
    void OnColourPicked(int buttonId);
    void ToggleColourful();
    void OnSliderMoved(int controlId, int position);

    void ChooseTool(int tool);
    void OnCustomColourPicked(CustomColour which);
    void OnCustomModeSelected();
    void OnCustomModeEdited(const QString& text);
    void ShowCustomModeTools();
    // When the keyboard offers the custom effect: the mode list refilled with
    // the current profile's names and the present mode applied.
    void LoadCustomModeList();
    // The same from the modes the model has loaded already.
    void ShowCustomModeList();
    // A key click while the switch is on: paints the key when the custom effect
    // is selected. False when nothing was painted.
    bool PaintKey(int controlId);
    // After an attach: a key counts as linked in a profile when its colour in
    // that profile's present mode is the mode's linked colour.
    void RecomputeLinkedFlags();

    void StartProgress();
    void StopProgress();
    const LightingProgress& Progress() const { return *m_progress; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SaveLightingSwitch(bool on);
    void TellUnsavedColours();
    void ConnectControls();
    void SetPicture(int id, const QString& pictureName);
    void ShowDirectionPictures(int effectCode, int direction);
    void ShowColourfulPictures(bool colourful);
    void ShowToolPictures(int tool);
    void ShowSliders();
    void FillEffectList();
    void SelectListEffect(int effectCode);
    void OutlineLinkedKeys(ColourRef colour);
    void OnPictureClicked(int id);
    void OnRgbEdited(int id);
    CSkinColorBtn* ColourButton(int id) const;
    QComboBox* List(int id) const;

    CBaseDialog& m_window;
    LightingModel& m_model;
    LightingFiles& m_files;
    LightingPanelHost& m_host;
    std::filesystem::path m_programFolder;
    std::filesystem::path m_mainIni;
    EffectNames m_effectNames;
    LightingPictures m_pictures;
    std::unique_ptr<LightingProgress> m_progress;
    // Effect code per list position.
    std::vector<int> m_listCodes;
    bool m_switchOn = false;
    // A name is written at every key typed into it: a failure is told once
    // until a write of it succeeds or another mode is chosen.
    bool m_renameFailureTold = false;
};

}  // namespace tessel
