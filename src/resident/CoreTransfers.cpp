// The core's side of the keyboard's session: every frame sequence is a job
// of the session's, built here under the stores' locks and finished here again
// with its result; and telling the user why a job failed.

#include <memory>
#include <utility>

#include "device/DeviceConnection.h"
#include "device/DeviceResult.h"
#include "mainwindow/CTesselDlg.h"
#include "model/ApplyAssignments.h"
#include "model/MacroNumbering.h"
#include "platform/Prompter.h"
#include "resident/ResidentCore.h"
#include "text/LocalText.h"

namespace tessel {

namespace {

struct FailureText {
    std::u16string_view key;
    const char16_t* fallback;
};

// What the user is told of a job that failed, by its first failed frame.
FailureText FailureTextOf(int result) {
    switch (result) {
        case kDeviceAbsent:
            return {u"IDS_MAIN_DEVICE_GONE",
                    u"The keyboard was not there to take the change. Plug it in and try again."};
        case kDeviceStatusFE:
        case kDeviceStatusFF:
            return {u"IDS_MAIN_DEVICE_BUSY",
                    u"The keyboard was busy and did not take the change. Try again."};
        default:
            return {u"IDS_MAIN_DEVICE_NO_ANSWER",
                    u"The keyboard did not answer. Check its cable and try again."};
    }
}

}  // namespace

void ResidentCore::BindKeyboardSession() {
    m_session = std::make_unique<KeyboardSession>(
        m_device->Link(),
        [this](std::function<void()> call) {
            // Results are handled on the core's thread, never once the exit
            // sequence has begun.
            ++m_undeliveredResults;
            QMetaObject::invokeMethod(
                this,
                [this, call = std::move(call)] {
                    if (!m_exiting) {
                        call();
                    }
                    --m_undeliveredResults;
                },
                Qt::QueuedConnection);
        },
        [this](int result) { TellKeyboardFailed(result); });
}

bool ResidentCore::IsKeyboardSettled() const {
    return (!m_session || !m_session->IsBusy()) && m_undeliveredResults == 0;
}

bool ResidentCore::HasUnsentEdits() const {
    return m_applyEnabled && m_editGeneration != m_sentGeneration;
}

void ResidentCore::StartApplyTransfer(bool all, Applied applied, Prompter* prompter) {
    std::shared_ptr<const PreparedApply> prepared;
    bool resetTaken = false;
    m_preparingApply = true;
    {
        // The edit store first, then the apply store; neither is held while
        // the frames go out.
        const auto editLock = m_context.editStore.Lock();
        if (SnapshotEditStore(m_context.editStore, m_context.applyStore)) {
            // Positions of macros moved: the other profiles' key blocks go out too.
            resetTaken = std::exchange(m_context.editStore.Numbering().assignmentsReset, false);
            all = all || resetTaken || MacroNumberingChanged(m_context.editStore);
            if (auto built =
                    PrepareApply(m_context.applyStore, all, ApplyServicesForCore(prompter))) {
                prepared = std::make_shared<const PreparedApply>(std::move(*built));
            } else {
                m_context.editStore.Numbering().assignmentsReset = resetTaken;
            }
        }
    }
    m_preparingApply = false;
    if (prepared) {
        const uint64_t generation = m_editGeneration;
        m_sentGeneration = generation;
        ++m_appliesInFlight;
        m_session->Submit(
            [prepared](DeviceLink& link) { return SendApply(link, *prepared); },
            [this, prepared, generation, resetTaken, prompter,
             applied = std::move(applied)](int result) {
                --m_appliesInFlight;
                const bool written = result == kDeviceDone;
                FinishApply(*prepared, written, ApplyServicesForCore(prompter));
                {
                    const auto lock = m_context.editStore.Lock();
                    // What the keyboard holds now is what was sent, whatever
                    // the edit store became meanwhile; a part of it is nothing known.
                    if (written) {
                        NoteMacroNumberingApplied(m_context.editStore, prepared->macroIdentifiers);
                    } else {
                        ForgetMacroNumbering(m_context.editStore);
                        m_context.editStore.Numbering().assignmentsReset |= resetTaken;
                    }
                }
                applied(result, generation != m_editGeneration);
                TransferEnded(written);
            },
            prompter ? KeyboardJobs::OnFailure::Quiet : KeyboardJobs::OnFailure::Tell);
    } else {
        if (m_appliesInFlight == 0 && m_window) {
            m_window->ShowTransferRunning(false);
        }
        applied(std::nullopt, false);
    }
    // An Apply asked for while a question of this one was shown.
    if (std::exchange(m_applyAskedAgain, false)) {
        ApplyChanges();
    }
}

void ResidentCore::TransferEnded(bool written) {
    if (!m_window) {
        return;
    }
    m_window->Announce(LocalText(written ? u"IDS_A11Y_APPLY_DONE" : u"IDS_A11Y_APPLY_FAILED"));
    if (m_appliesInFlight == 0) {
        m_window->ShowTransferRunning(false);
    }
}

void ResidentCore::TellKeyboardFailed(int result) {
    // A keyboard that fails every job is told once, until a job succeeds.
    if (result == kDeviceDone) {
        m_keyboardFailureTold = false;
        return;
    }
    if (m_exiting || std::exchange(m_keyboardFailureTold, true) || !m_parts) {
        return;
    }
    const FailureText failure = FailureTextOf(result);
    QString text = LocalText(failure.key);
    if (text.isEmpty() || text == QString::fromStdU16String(std::u16string(kMissingText))) {
        text = QString::fromStdU16String(failure.fallback);
    }
    m_parts->prompter.ShowMessage(text.toStdU16String(), u"", PromptButtons::Ok,
                                  PromptIcon::Warning);
}

}  // namespace tessel
