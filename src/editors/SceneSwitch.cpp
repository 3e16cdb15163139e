#include "editors/SceneSwitch.h"

#include "device/DeviceLink.h"
#include "editors/CTessel_DlgProfile.h"
#include "model/ConfigStore.h"
#include "platform/Prompter.h"
#include "platform/qt/QtText.h"
#include "storage/KeyboardMacroNotice.h"
#include "storage/SceneFile.h"
#include "text/LanguageTable.h"

#include <QStringList>

namespace tessel {

SceneSwitch::SceneSwitch(SceneHost& host, const SceneServices& services, QWidget* window)
    : m_host(host), m_services(services), m_window(window) {
    m_manager = new CTessel_DlgProfile(
        m_services, [this] { LoadScene(); }, window);
}

SceneSwitch::~SceneSwitch() {
    delete m_manager.data();
}

int SceneSwitch::SwitchScene(int n) {
    if (n >= kSceneCount) {
        n = 0;
    }
    if (m_host.IsKeyEditorOpen()) {
        // The keyboard's own profile key can ask for a switch while the editor
        // holds entries of the old profile.
        m_services.prompter.ShowMessage(
            m_services.languageTable.Value(TextEntry::PROFILE_SEELCT_PROMPT2), u"",
            PromptButtons::Ok, PromptIcon::Warning);
        return 0;
    }
    const bool pending = m_manager->IsModified() || m_host.IsApplyEnabled();
    if (pending) {
        // A request that arrives while the question is shown, or while its
        // answer is carried out, switches without asking again. Only the
        // request that asked clears the guard, so a third one cannot open a
        // second question.
        if (!m_questionShown) {
            m_questionShown = true;
            AskAboutPendingEdits();
            m_questionShown = false;
        }
        m_services.link.SetActiveProfile(n);
    } else {
        m_services.link.SetActiveProfile(n);
        if (m_manager->IsOpen()) {
            m_manager->CheckRow(n);
            m_manager->SetModified(false);
        }
    }
    FollowActiveProfile();
    BuildSceneMenu(false);
    return 1;
}

void SceneSwitch::AskAboutPendingEdits() {
    const PromptAnswer answer =
        m_services.prompter.ShowMessage(m_services.languageTable.LocalisedText(
                                            TextKeyEntry::PROFILE_SELECT_PROMPT, m_services.texts),
                                        u"", PromptButtons::YesNoDefaultNo, PromptIcon::Question);
    if (answer == PromptAnswer::Yes) {
        // The edits belong to the old profile: they reach the keyboard first.
        m_host.RunApplyCommand();
        return;
    }
    m_host.EnableApply(false);
    if (m_services.link.GetActiveProfile() >= 0) {
        m_services.sceneFile.DiscardEdits();
    }
}

void SceneSwitch::FollowActiveProfile() {
    const auto lock = m_services.editStore.Lock();
    m_host.RefreshKeyButtonLabels();
}

void SceneSwitch::BuildSceneMenu(bool create) {
    if (create || !m_menu) {
        m_menu =
            std::make_unique<SceneMenu>(m_window, [this](int command) { OnSceneCommand(command); });
    }
    const QString name = SceneName();
    QStringList scenes;
    for (int i = 0; i < kSceneCount; ++i) {
        scenes << name;
    }
    const QString defaultName = ToQString(m_services.languageTable.LocalisedText(
        TextKeyEntry::DEFAULT_PROFILE_NAME, m_services.texts));
    const QString caption = m_menu->Fill(defaultName, scenes, m_services.link.GetActiveProfile());
    const QString tooltip =
        ToQString(m_services.languageTable.Value(TextEntry::PROFILE_TIP)) + caption;
    m_host.SetSceneButton(caption, tooltip);
}

// Every scene has the same file, so every item shows the same name.
QString SceneSwitch::SceneName() const {
    return ToQString(m_services.sceneFile.Path().stem().u16string());
}

bool SceneSwitch::OnSceneCommand(int command) {
    if (command < kSceneDefaultCommand || command > kSceneLastCommand) {
        return false;
    }
    SwitchScene(command - kSceneFirstCommand);
    return true;
}

void SceneSwitch::PopUpSceneMenu(const QPoint& at) {
    if (!m_menu) {
        BuildSceneMenu(true);
    }
    m_menu->PopUp(at);
}

CTessel_DlgProfile& SceneSwitch::Manager() const {
    return *m_manager;
}

int SceneSwitch::OpenSceneManager() {
    return m_manager->RunModal();
}

void SceneSwitch::CloseSceneManager() {
    if (m_manager->IsOpen()) {
        m_manager->SendCommand(kIdCancel);
    }
}

void SceneSwitch::LoadScene() {
    m_services.sceneFile.LoadScene(m_services.link, m_services.keyboard,
                                   m_services.languageTable.Value(TextEntry::MACRO_NEW_PREFIX));
    m_refreshNotice.Note(!m_services.sceneFile.WriteFailed(), m_services.sceneFile.Path(),
                         m_services.prompter, m_services.texts);
    NoteKeyboardMacros(m_services.sceneFile.KeyboardMacroArea(), m_services.keyboard,
                       m_services.prompter, m_services.texts);
    FollowActiveProfile();
    m_host.EnableApply(false);
    BuildSceneMenu(false);
}

}  // namespace tessel
