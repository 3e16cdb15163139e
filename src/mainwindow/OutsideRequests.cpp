// What other processes of the user may ask of the running instance: show the
// window, exit, and the keyboard commands typed at a terminal, which run here
// so that only one process at a time talks to the keyboard.

#include <algorithm>

#include "device/DeviceConnection.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/CTesselDlg.h"
#include "model/ApplyAssignments.h"
#include "model/KeyboardFacts.h"
#include "platform/Utf8.h"
#include "storage/KeyboardCommands.h"
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

struct CTesselDlg::KeyboardCommandJob {
    uint32_t tag = 0;
    int profile = 0;
    std::filesystem::path file;
    CommandOutcome outcome;
};

RequestReply CTesselDlg::OnOutsideRequest(const WindowRequest& request, std::string_view payload) {
    if (request.message == kKeyboardCommandMessage) {
        KeyboardCommandJob job{static_cast<uint32_t>(request.wParam),
                               static_cast<int>(request.lParam),
                               std::filesystem::path(payload),
                               {false, "the running instance is ending"}};
        Requests().Send(
            WindowRequest{kKeyboardCommandRequest, 0, reinterpret_cast<intptr_t>(&job)});
        return {job.outcome.done ? 1 : 0, job.outcome.line};
    }
    const bool known = std::ranges::any_of(kOutsideRequests, [&](const OutsideRequest& outside) {
        return request.message == outside.message && request.wParam == outside.tag;
    });
    if (!known) {
        return {0, {}};
    }
    // Posted: the window may be showing a box inside its handler, and the
    // sender must not wait for a user.
    Requests().Post(request);
    return {1, {}};
}

void CTesselDlg::RunKeyboardCommand(KeyboardCommandJob& job) {
    if (!m_device || !m_parts || !m_keyboardView) {
        job.outcome = {false, "the running instance has no keyboard link"};
        return;
    }
    DeviceLink& link = m_device->Link();
    CollectingPrompter prompter;
    switch (job.tag) {
        case kBackupTag:
            job.outcome = BackupKeyboardToFile(
                link, m_parts->keyboard, m_parts->languageTable.Value(TextEntry::MACRO_NEW_PREFIX),
                job.file);
            break;
        case kRestoreTag: {
            const ProfileImage* before = nullptr;
            {
                const auto lock = m_context.editStore.Lock();
                before = m_context.editStore.Image();
            }
            const ApplyServices services{link, m_parts->keyboard, prompter, m_parts->languageTable,
                                         *m_texts};
            job.outcome = RestoreKeyboardFromFile(
                job.file, RestoreTarget{m_context.editStore, m_context.applyStore, m_dataFolder},
                services);
            const auto lock = m_context.editStore.Lock();
            if (m_context.editStore.Image() != before) {
                // As after an import: the keys show the file, nothing is pending.
                m_keyboardView->ShowAssignments();
                EnableApply(false);
            }
            break;
        }
        case kProfileTag:
            SelectProfileForCommand(job);
            break;
        default:
            job.outcome = {false, "unknown keyboard command"};
            return;
    }
    if (!job.outcome.done && !prompter.Messages().empty()) {
        job.outcome.line += " (" + prompter.Messages() + ")";
    }
}

// As a click on the profile's button, so the window follows the keyboard.
void CTesselDlg::SelectProfileForCommand(KeyboardCommandJob& job) {
    if (job.profile < 0 || job.profile >= kProfileCount) {
        job.outcome = {false, "there is no profile " + std::to_string(job.profile + 1)};
        return;
    }
    if (auto problem = KeyboardProblem(m_device->Link())) {
        job.outcome = {false, *problem};
        return;
    }
    SendCommand(kProfileButtonIds[static_cast<std::size_t>(job.profile)]);
    const std::string number = std::to_string(job.profile + 1);
    if (ActiveProfile() != job.profile) {
        job.outcome = {false, "the running instance did not switch to profile " + number +
                                  " (an editor is open or the switch was declined)"};
        return;
    }
    job.outcome = {true, "profile " + number + " is active"};
}

}  // namespace tessel
