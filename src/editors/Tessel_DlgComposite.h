#pragma once
// The key-assignment editor: what one key does in the keyboard's active
// profile. Four pages (another key or a mouse action, a macro, a multimedia
// function, a function key) and Clear; the result goes into the edit store and
// the key's button is relabelled, sending it is the main window's Apply. One
// object for the whole run, owned by the main window and opened modally for
// each key.

#include <QPixmap>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "editors/Tessel_DlgCompositeIds.h"
#include "mainwindow/KeyboardView.h"
#include "model/KeyEditorEntry.h"
#include "platform/Prompter.h"
#include "platform/qt/KeyCapture.h"
#include "skin/qt/CBaseDialog.h"

class QComboBox;
class QLineEdit;

namespace tessel {

class CompositeMacroPage;
class ConfigStore;
class CPngButton;
class KeyboardFacts;
class LanguageFiles;
class LanguageTable;
class ProfileSettings;
class TextLookup;
struct ProgramPaths;

struct KeyEditorServices {
    ConfigStore& editStore;
    Prompter& prompter;
    const LanguageTable& languageTable;
    const TextLookup& texts;             // the language in use
    const LanguageFiles& languageFiles;  // any language, for the language request
    const ProgramPaths& paths;
    ProfileSettings& settings;
    const KeyboardFacts& keyboard;  // the macro capacity, for the macro page's gauge
};

// What the editor needs of the main window.
class KeyEditorHost {
public:
    virtual ~KeyEditorHost() = default;
    // The keyboard's active profile; -1 when unknown.
    virtual int ActiveProfile() = 0;
    virtual void RefreshKeyButtonLabels() = 0;
    virtual void EnableApply(bool enable) = 0;
    // The main-window button the editor is placed beside; may be missing.
    virtual QWidget* KeyButtonWidget(int controlId) = 0;
    virtual int LanguageIndex() const = 0;
};

// Template 134: the editor's controls with their rectangles where the skin
// does not place them.
const DialogTemplate& CompositeDialogTemplate();

// The page shown, by the category that shows it.
enum class CompositePage { Key, Macro, Multimedia, Function };

class Tessel_DlgComposite : public CBaseDialog, private KeyCaptureSink {
    Q_OBJECT
public:
    Tessel_DlgComposite(const KeyEditorServices& services, KeyEditorHost& host, QWidget* parent);
    ~Tessel_DlgComposite() override;

    // Opens the editor for the key and runs it modally: 1 OK, 2 Cancel; -1
    // when nothing opens (the active profile is unknown). With the test hook
    // set it returns 0 at once and the editor stays open.
    int OpenKeyEditor(const KeyEditorTarget& target);
    // Cancel, when the editor is open; also while one of its questions is shown.
    void CloseKeyEditor();
    bool IsOpen() const { return m_openCount > 0; }
    // Which opening this is: an operation that showed a message checks that
    // its opening was not closed meanwhile.
    unsigned Opening() const { return m_opening; }
    bool IsStillOpen(unsigned opening) const { return IsOpen() && opening == m_opening; }
    // Opens without waiting, for tests and the screenshot to drive the open
    // editor.
    void SetModeless(bool modeless) { m_modeless = modeless; }

    // Writes the pending choice into the key's entry (the Apply button).
    // False, with nothing written, when the editor was closed meanwhile (a
    // message of the macro page outlived it).
    bool ApplyKeyEditor();
    // The editor's questions: shown through the prompter; an answer that comes
    // after the editor was closed counts as No (or Cancel).
    PromptAnswer Ask(const std::u16string& text, PromptButtons buttons, PromptIcon icon);
    // A message with OK only. False when the editor was closed (or opened
    // again) while it was shown: the caller must then leave alone the rows and
    // copies it was working on, they are gone.
    bool Tell(const std::u16string& text, PromptIcon icon);
    // Unapplied changes; mirrors the enabled state of Apply 1015.
    bool IsModified() const { return m_modified; }
    void MarkModified() { SetModified(true); }

    int Category() const { return m_category; }
    uint16_t CapturedCode() const { return m_capturedCode; }
    bool IsMacroOnly() const { return m_macroOnly; }
    CompositePage ShownPage() const { return m_page; }
    bool IsCapturingKeys() const { return m_capture.IsInstalled(); }
    // Installed but passing every key on: Tab has left the captured-key field.
    bool IsCaptureResting() const { return m_captureResting; }
    int EditedKeyIndex() const { return m_target.keyIndex; }
    const KeyEditorServices& Services() const { return m_services; }
    CompositeMacroPage& MacroPage() { return *m_macroPage; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opening and closing.
    bool BeginOpening(const KeyEditorTarget& target);
    void LoadPictures();
    void CreateControlsOnce();
    void PlaceControls();
    void StyleControls();
    void FillLists();
    void ReadEntry();
    void EnterMacroOnlyMode();
    void PlaceBesideKey();
    void SetOnScreenKeyboardTooltip();
    void Close(int result);
    struct NestedAnswer {
        PromptAnswer answer;
        bool stillOpen;  // the same opening of the editor is still on screen
    };
    NestedAnswer ShowNested(const std::u16string& text, PromptButtons buttons, PromptIcon icon);
    void SetModified(bool modified);
    intptr_t OnLanguageRequest(uintptr_t wParam, intptr_t lParam);
    void ApplyLanguage(int languageIndex);
    QString Text(std::u16string_view textKey, int languageIndex) const;
    QString TitleText(int languageIndex) const;
    void NameControlsForReaders(int languageIndex);

    // Pages.
    void ShowPage(int category, bool firstShowing);
    void ShowKeyPage(bool firstShowing);
    void ShowMacroPage(bool firstShowing);
    void ShowPageControls(CompositePage page);
    void SetPicturesOfPage(CompositePage page);
    void OnPageButton(int category);
    void OnKeyPageButton();
    void OnClear();
    void SelectKeySource(KeySource source);
    void ShowKeySource(KeySource source);
    void OnCycleCountEdited(const QString& text);
    void OnCycleCountFinished();
    void OnOnScreenKeyboard();

    // Key capture.
    bool Swallows(uint16_t code) const override;
    void OnCapturedKey(const CapturedKey& key) override;
    void InstallCapture();
    void RemoveCapture();
    void Capture(uint16_t code);
    void OnKeyFieldFocus(bool in, Qt::FocusReason reason);

    // Apply.
    KeySource CheckedSource() const;
    int CycleCount() const;

    QComboBox* List(int id) const;
    QLineEdit* KeyField() const;

    KeyEditorServices m_services;
    KeyEditorHost& m_host;
    std::unique_ptr<CompositeMacroPage> m_macroPage;
    KeyCapture m_capture;

    // Picture sets: normal, over, down, disabled.
    using PictureSet = std::array<QPixmap, 4>;
    PictureSet m_keyPictures;
    PictureSet m_macroPictures;
    PictureSet m_macro2Pictures;
    PictureSet m_mediaPictures;
    PictureSet m_functionPictures;
    bool m_picturesLoaded = false;
    bool m_controlsStyled = false;

    KeyEditorTarget m_target;
    int m_profile = -1;  // read once per opening: every Apply writes this profile
    bool m_macroOnly = false;
    int m_category = 0;
    uint16_t m_capturedCode = 0;
    // What was captured before the Shift that a Shift+Tab out of the field
    // starts with.
    uint16_t m_codeBeforeShift = 0;
    bool m_captureResting = false;
    // Back in the field after Tab left it: the next key is taken, Tab too.
    bool m_tabCapturable = false;
    uint32_t m_storedValue = 0;
    uint16_t m_storedType = 0;
    bool m_firstMacroVisit = true;
    int m_openCount = 0;
    // Counts openings, so an answer to a question knows whether its editor
    // was closed meanwhile.
    unsigned m_opening = 0;
    int m_questionsShown = 0;
    bool m_modified = false;
    bool m_filling = false;
    bool m_modeless = false;
    CompositePage m_page = CompositePage::Key;
};

}  // namespace tessel
