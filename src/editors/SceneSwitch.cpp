#include "editors/SceneSwitch.h"

#include "device/DeviceResult.h"
#include "device/KeyboardJobs.h"
#include "editors/CTessel_DlgProfile.h"
#include "model/ConfigStore.h"
#include "model/MacroNumbering.h"
#include "platform/Prompter.h"
#include "platform/qt/QtText.h"
#include "storage/KeyboardBackup.h"
#include "storage/KeyboardMacroNotice.h"
#include "storage/SceneFile.h"
#include "text/LanguageTable.h"

#include <QStringList>

namespace tessel {

SceneSwitch::SceneSwitch(SceneHost& host, const SceneServices& services, QWidget* window)
    : m_host(host), m_services(services), m_window(window) {
    if (m_window) {
        CreateManager();
    }
}

void SceneSwitch::CreateManager() {
    m_manager = new CTessel_DlgProfile(
        m_services, [this](std::optional<int> profile) { ApplyManagerScene(profile); }, m_window);
}

void SceneSwitch::AttachWindow(QWidget* window) {
    m_window = window;
    if (!m_manager) {
        CreateManager();
    }
    BuildSceneMenu(true);
}

bool SceneSwitch::IsManagerModified() const {
    return m_manager && m_manager->IsModified();
}

SceneSwitch::~SceneSwitch() {
    delete m_manager.data();
}

int SceneSwitch::SwitchScene(int n, Switched switched) {
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
    const bool pending = IsManagerModified() || m_host.HasUnsentEdits();
    if (pending) {
        // A request that arrives while the question is shown, or while its
        // answer is carried out, switches without asking again. Only the
        // request that asked clears the guard, so a third one cannot open a
        // second question.
        if (!m_questionShown) {
            m_questionShown = true;
            const bool goOn = AskAboutPendingEdits();
            m_questionShown = false;
            if (!goOn) {
                return 0;
            }
        }
    } else if (m_manager && m_manager->IsOpen()) {
        m_manager->CheckRow(n);
        m_manager->SetModified(false);
    }
    if (n < 0) {
        // No profile to switch to: the buttons and the menu follow all the same.
        FollowActiveProfile();
        BuildSceneMenu(false);
        return 1;
    }
    // Behind an apply the answer started: the old profile's edits go first.
    m_services.keyboardJobs.Submit([n](DeviceLink& link) { return link.SetActiveProfile(n); },
                                   [this, switched = std::move(switched)](int result) {
                                       FollowActiveProfile();
                                       BuildSceneMenu(false);
                                       if (switched) {
                                           switched(result);
                                       }
                                   });
    return 1;
}

bool SceneSwitch::AskAboutPendingEdits() {
    const PromptAnswer answer =
        m_services.prompter.ShowMessage(m_services.languageTable.LocalisedText(
                                            TextKeyEntry::PROFILE_SELECT_PROMPT, m_services.texts),
                                        u"", PromptButtons::YesNoDefaultNo, PromptIcon::Question);
    if (m_host.IsExiting()) {
        // An exit closed the question: the stores are gone.
        return false;
    }
    if (answer == PromptAnswer::Yes) {
        // The edits belong to the old profile: they reach the keyboard first.
        m_host.RunApplyCommand();
        return true;
    }
    m_host.EnableApply(false);
    if (m_services.keyboardJobs.CachedActiveProfile() >= 0) {
        m_services.sceneFile.DiscardEdits();
    }
    return true;
}

void SceneSwitch::ApplyManagerScene(std::optional<int> profile) {
    // Loading the scene replaces the edit store: unapplied edits are asked
    // about first, as a profile button does.
    if (m_host.HasUnsentEdits() && !m_questionShown) {
        m_questionShown = true;
        const bool goOn = AskAboutPendingEdits();
        m_questionShown = false;
        if (!goOn) {
            return;
        }
    }
    if (profile) {
        m_services.keyboardJobs.Submit(
            [n = *profile](DeviceLink& link) { return link.SetActiveProfile(n); });
    }
    LoadScene();
}

void SceneSwitch::FollowActiveProfile() {
    const auto lock = m_services.editStore.Lock();
    m_host.RefreshKeyButtonLabels();
}

void SceneSwitch::BuildSceneMenu(bool create) {
    // The menu and the scene button it labels are the window's.
    if (!m_window) {
        return;
    }
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
    const QString caption =
        m_menu->Fill(defaultName, scenes, m_services.keyboardJobs.CachedActiveProfile());
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
    if (m_manager && m_manager->IsOpen()) {
        m_manager->SendCommand(kIdCancel);
    }
}

void SceneSwitch::LoadScene(std::function<void()> loaded) {
    auto contents = std::make_shared<std::optional<KeyboardContents>>();
    const std::u16string prefix(m_services.languageTable.Value(TextEntry::MACRO_NEW_PREFIX));
    const KeyboardFacts& keyboard = m_services.keyboard;
    // Nothing read (no keyboard, no active profile) loads the defaults; a
    // failed read is told by the session.
    m_services.keyboardJobs.Submit(
        [contents, &keyboard, prefix](DeviceLink& link) {
            *contents = ReadKeyboardContents(link, keyboard, prefix);
            return kDeviceDone;
        },
        [this, contents, loaded = std::move(loaded)](int) {
            m_services.sceneFile.LoadScene(std::move(*contents), m_services.keyboard);
            m_refreshNotice.Note(m_services.sceneFile.WriteFailure(), m_services.sceneFile.Path(),
                                 m_services.prompter, m_services.texts);
            const MacroAreaKnowledge macros = m_services.sceneFile.KeyboardMacroArea();
            // The store's macros are the keyboard's, in its order, only when
            // they were read from it.
            if (macros == MacroAreaKnowledge::Known) {
                NoteMacroNumberingApplied(m_services.editStore,
                                          MacroIdentifiers(m_services.editStore));
            } else {
                ForgetMacroNumbering(m_services.editStore);
            }
            NoteKeyboardMacros(macros, m_services.keyboard, m_services.prompter, m_services.texts);
            FollowActiveProfile();
            m_host.EnableApply(false);
            BuildSceneMenu(false);
            if (loaded) {
                loaded();
            }
        });
}

}  // namespace tessel
