// What other processes of the user may ask of the running instance: show the
// window, exit, and the keyboard commands typed at a terminal, which run here
// as jobs of the keyboard's session so that only one process, and in it one
// job at a time, talks to the keyboard. The sender hears the real result.

#include <algorithm>
#include <future>
#include <memory>

#include "appfocus/AppProfileCommand.h"
#include "device/DeviceConnection.h"
#include "device/DeviceResult.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/CTesselDlg.h"
#include "model/ApplyAssignments.h"
#include "model/KeyboardFacts.h"
#include "platform/Utf8.h"
#include "resident/ResidentCore.h"
#include "storage/DataFolder.h"
#include "storage/KeyboardCommands.h"
#include "storage/UserSettingsFile.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"

namespace tessel {

namespace {

// Requests another process may send; everything else stays inside.
struct OutsideRequest {
    uint32_t message;
    uintptr_t tag;
};
// Of the window's commands, only the two that other programs give it.
constexpr OutsideRequest kOutsideRequests[] = {{kOpenMessage, kOpenTag},
                                               {kKillMessage, kKillTag},
                                               {kCommandMessage, kCommandUpdate},
                                               {kCommandMessage, kCommandLanguage}};

}  // namespace

// One command of another process. Answered once: by the command, or, when
// it is dropped unrun (the instance is ending), by the last owner letting go.
struct ResidentCore::KeyboardCommandJob {
    uint32_t tag = 0;
    int profile = 0;
    std::filesystem::path file;
    std::promise<CommandOutcome> answer;
    bool answered = false;

    void Answer(CommandOutcome outcome) {
        if (!std::exchange(answered, true)) {
            answer.set_value(std::move(outcome));
        }
    }
    ~KeyboardCommandJob() { Answer({false, "the running instance is ending"}); }
};

RequestReply ResidentCore::OnOutsideRequest(const WindowRequest& request,
                                            std::string_view payload) {
    if (request.message == kKeyboardCommandMessage) {
        auto job = std::make_shared<KeyboardCommandJob>();
        job->tag = static_cast<uint32_t>(request.wParam);
        job->profile = static_cast<int>(request.lParam);
        job->file = std::filesystem::path(payload);
        std::future<CommandOutcome> answer = job->answer.get_future();
        m_requests.Send(
            WindowRequest{kKeyboardCommandRequest, 0, reinterpret_cast<intptr_t>(&job)});
        job.reset();
        const CommandOutcome outcome = answer.get();
        return {outcome.done ? 1 : 0, outcome.line};
    }
    const bool known = std::ranges::any_of(kOutsideRequests, [&](const OutsideRequest& outside) {
        return request.message == outside.message && request.wParam == outside.tag;
    });
    if (!known) {
        return {0, {}};
    }
    if (request.message == kOpenMessage) {
        m_activation.Offer(std::string(payload));
    }
    // Posted: the window may be showing a box inside its handler, and the
    // sender must not wait for a user.
    m_requests.Post(request);
    return {1, {}};
}

void ResidentCore::RunKeyboardCommand(const CommandJob& job) {
    if (job->tag == kAppProfileTag) {
        // Only the rules change; the keyboard follows at the next focus change.
        job->Answer(CarryOutAppProfileRequest(
            AppProfileRequestOf(job->profile, job->file.string()),
            UserSettingsFile(m_dataFolder.empty() ? UserDataFolder() : m_dataFolder)));
        if (m_focusSwitch) {
            m_focusSwitch->ReloadRules();
        }
        return;
    }
    if (!m_session || !m_parts || !m_lighting) {
        job->Answer({false, "the running instance has no keyboard link"});
        return;
    }
    // Asked of the library, not of the presence worker, which may not have
    // seen a keyboard attached at start yet; no frame is sent for it.
    if (m_device->Service().CommandChannelDeviceCount() <= 0) {
        job->Answer({false, "no keyboard is attached"});
        return;
    }
    switch (job->tag) {
        case kBackupTag:
            BackupForCommand(job);
            break;
        case kRestoreTag:
            RestoreForCommand(job);
            break;
        case kProfileTag:
            SelectProfileForCommand(job);
            break;
        default:
            job->Answer({false, "unknown keyboard command"});
            break;
    }
}

// The keyboard is only read: the whole backup is one job.
void ResidentCore::BackupForCommand(const CommandJob& job) {
    const KeyboardFacts& keyboard = m_parts->keyboard;
    const std::u16string prefix(m_parts->languageTable.Value(TextEntry::MACRO_NEW_PREFIX));
    m_session->Submit(
        [job, &keyboard, prefix](DeviceLink& link) {
            job->Answer(BackupKeyboardToFile(link, keyboard, prefix, job->file));
            return kDeviceDone;
        },
        {}, KeyboardJobs::OnFailure::Quiet);
}

// As an import: the keys show the file at once, nothing stays pending, and
// the sender hears how the transfer went.
void ResidentCore::RestoreForCommand(const CommandJob& job) {
    if (IsKeyEditorOpen()) {
        job->Answer(EditorOpenRefusal());
        return;
    }
    auto file = ReadRestoreFile(job->file);
    if (auto* refused = std::get_if<CommandOutcome>(&file)) {
        job->Answer(*refused);
        return;
    }
    const std::size_t macroCount = StoreRestoredConfiguration(
        std::move(std::get<Configuration>(file)),
        RestoreTarget{m_context.editStore, m_context.applyStore, m_dataFolder});
    ShowAssignments();
    EnableApply(false);
    if (m_window) {
        m_window->ShowTransferRunning(true);
    }
    auto prompter = std::make_shared<CollectingPrompter>();
    StartApplyTransfer(
        true,
        [job, prompter, macroCount](std::optional<int> result, bool) {
            CommandOutcome outcome = RestoreOutcome(job->file, macroCount, result);
            if (!outcome.done && !prompter->Messages().empty()) {
                outcome.line += " (" + prompter->Messages() + ")";
            }
            job->Answer(std::move(outcome));
        },
        prompter.get());
}

// As a click on the profile's button, so the window follows the keyboard.
void ResidentCore::SelectProfileForCommand(const CommandJob& job) {
    const int profile = job->profile;
    if (profile < 0 || profile >= kProfileCount) {
        job->Answer({false, "there is no profile " + std::to_string(profile + 1)});
        return;
    }
    if (IsKeyEditorOpen()) {
        job->Answer(EditorOpenRefusal());
        return;
    }
    const std::string number = std::to_string(profile + 1);
    const bool asked = SelectProfileThen(profile, [job, number](int result) {
        if (result == kDeviceDone) {
            job->Answer({true, "profile " + number + " is active"});
        } else {
            job->Answer({false, DeviceProblem(result)});
        }
    });
    if (!asked) {
        job->Answer({false, "the running instance did not switch to profile " + number});
    }
}

}  // namespace tessel
