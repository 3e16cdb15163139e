#pragma once
// The scene-mode switch against the simulated keyboard behind the real
// device-service library, with a main window that records what it is asked to
// do and a prompter that answers from a script.

#include <QApplication>
#include <QWidget>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "QueuedKeyboardSession.h"
#include "app/ProgramPaths.h"
#include "device/DeviceLink.h"
#include "editors/CTessel_DlgProfile.h"
#include "editors/SceneHost.h"
#include "editors/SceneSwitch.h"
#include "model/AssignmentEdits.h"
#include "model/ConfigStore.h"
#include "model/KeyboardFacts.h"
#include "platform/Prompter.h"
#include "platform/Registry.h"
#include "storage/ProfileSettings.h"
#include "storage/SceneFile.h"
#include "support/ScriptedPrompter.h"
#include "support/SimulatedKeyboard.h"
#include "support/TempFolder.h"
#include "text/LanguageTable.h"
#include "text/TextLookup.h"
#include "torvex_sim.h"

namespace tessel::scene_test {

// What happened, in order, across the window, the keyboard link and the prompter.
using EventLog = std::vector<std::string>;

class FakeSceneHost final : public SceneHost {
public:
    explicit FakeSceneHost(EventLog& log) : m_log(log) {}

    bool keyEditorOpen = false;
    bool applyEnabled = false;
    std::function<void()> onApply;
    QString caption;
    QString tooltip;

    bool exiting = false;

    bool IsKeyEditorOpen() const override { return keyEditorOpen; }
    bool IsApplyEnabled() const override { return applyEnabled; }
    bool HasUnsentEdits() const override { return applyEnabled; }
    bool IsExiting() const override { return exiting; }
    void RunApplyCommand() override {
        m_log.push_back("apply");
        if (onApply) {
            onApply();
        }
        applyEnabled = false;
    }
    void EnableApply(bool enable) override {
        m_log.push_back(enable ? "enable apply" : "disable apply");
        applyEnabled = enable;
    }
    void RefreshKeyButtonLabels() override { m_log.push_back("refresh labels"); }
    void SetSceneButton(const QString& newCaption, const QString& newTooltip) override {
        m_log.push_back("scene button " + newCaption.toStdString());
        caption = newCaption;
        tooltip = newTooltip;
    }

private:
    EventLog& m_log;
};

// The real link, with every profile change written to the log first.
class RecordingLink final : public DeviceLink {
public:
    RecordingLink(DeviceLink& link, EventLog& log) : m_link(link), m_log(log) {}

    std::function<void(int profile)> beforeProfileChange;

    int SetActiveProfile(int profile) override {
        m_log.push_back("set profile " + std::to_string(profile));
        if (beforeProfileChange) {
            beforeProfileChange(profile);
        }
        return m_link.SetActiveProfile(profile);
    }
    int GetActiveProfile() override { return m_link.GetActiveProfile(); }
    int CachedActiveProfile() const override { return m_link.CachedActiveProfile(); }
    void ForgetActiveProfile() override { m_link.ForgetActiveProfile(); }

    int BeginTransfer() override { return m_link.BeginTransfer(); }
    int EndTransfer() override { return m_link.EndTransfer(); }
    int ReadDeviceInfo(std::span<uint8_t, kDeviceInfoSize> out) override {
        return m_link.ReadDeviceInfo(out);
    }
    int WriteDeviceInfo(std::span<const uint8_t, kDeviceInfoSize> info) override {
        return m_link.WriteDeviceInfo(info);
    }
    int ReadParameters(std::span<uint8_t, kFramePayloadSize> out, int length, int offset) override {
        return m_link.ReadParameters(out, length, offset);
    }
    int WriteParameters(std::span<const uint8_t> data, int offset) override {
        return m_link.WriteParameters(data, offset);
    }
    int ReadKeyBlock(std::span<uint8_t, kKeyBlockSize> out, int block) override {
        return m_link.ReadKeyBlock(out, block);
    }
    int WriteKeyBlock(std::span<const uint8_t, kKeyBlockSize> data, int block) override {
        return m_link.WriteKeyBlock(data, block);
    }
    int ReadMacroArea(std::span<uint8_t> out) override { return m_link.ReadMacroArea(out); }
    int WriteMacroArea(std::span<const uint8_t> data) override {
        return m_link.WriteMacroArea(data);
    }
    int TestCommand() override { return m_link.TestCommand(); }
    int ReadDefaultKeyBlock(std::span<uint8_t, kKeyBlockSize> out) override {
        return m_link.ReadDefaultKeyBlock(out);
    }
    int WriteKeyColours(int currentProfile, std::span<const uint8_t> data, int firstSlot) override {
        return m_link.WriteKeyColours(currentProfile, data, firstSlot);
    }
    int EnterBootMode() override { return m_link.EnterBootMode(); }

private:
    DeviceLink& m_link;
    EventLog& m_log;
};

// Every text key reads as "text of <key>".
class LabelledTexts final : public TextLookup {
public:
    std::u16string LocalText(std::u16string_view textKey) const override {
        return u"text of " + std::u16string(textKey);
    }
};

inline constexpr int kKeyA = 0x1E;

// Members in the order they are built; the switch comes last.
// Messages go into the log with the link's commands and the host's calls.
inline tessel::testing::ScriptedPrompter RecordingInto(EventLog& log) {
    tessel::testing::ScriptedPrompter prompter;
    prompter.onMessage = [&log] { log.push_back("message"); };
    return prompter;
}

struct SceneTestBench {
    SceneTestBench() {
        // The scene-mode file as a loaded scene leaves it: written from the keyboard.
        sceneFile.LoadScene(ReadKeyboardContents(keyboard.Link(), facts, u"Macro"), facts);
    }

    // Once the switch's jobs have reached the keyboard.
    int KeyboardProfile() {
        session.Settle();
        return keyboard.ReadArea(TORVEX_SIM_AREA_DEVICE_INFO, 10, 1).at(0);
    }
    // An unapplied edit of key A in `profile`.
    void EditKeyA(int profile) {
        EditKeyAssignment(editStore, profile, kKeyA, static_cast<uint16_t>(AssignmentType::Key), 0,
                          0x30);
    }
    bool HasEditOfKeyA(int profile) {
        const auto lock = editStore.Lock();
        const KeyAssignment* entry = EntryFor(*editStore.Image(), profile, kKeyA);
        return entry && entry->value == 0x30 &&
               entry->type == static_cast<uint16_t>(AssignmentType::Key);
    }

    QWidget window;
    EventLog log;
    test::SimulatedKeyboard keyboard;
    RecordingLink link{keyboard.Link(), log};
    tessel::testing::QueuedKeyboardSession session{link};
    ConfigStore editStore;
    KeyboardFacts facts;
    tessel::testing::ScriptedPrompter prompter = RecordingInto(log);
    LanguageTable table;
    LabelledTexts texts;
    FakeSceneHost host{log};
    tessel::testing::TempFolder dataFolder;
    SceneFile sceneFile{dataFolder.Path(), editStore};
    ProgramPaths paths =
        ProgramPaths::FromModuleFileName(std::filesystem::path(TESSEL_PROGRAM_DIR) / "tessel");
    Registry settings{dataFolder.Path() / "settings.reg"};
    ProfileSettings profileSettings{settings};
    SceneSwitch scenes{host,
                       SceneServices{session, sceneFile, editStore, prompter, table, texts, paths,
                                     facts, profileSettings, dataFolder.Path()},
                       &window};
};

}  // namespace tessel::scene_test
