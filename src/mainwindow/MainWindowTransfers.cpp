// The window's side of the transfers that run on the transfer worker: what
// goes out is built here under the stores' locks, sent there, and finished
// here again; and telling the user when the keyboard did not answer.

#include <memory>

#include "device/DeviceConnection.h"
#include "mainwindow/CTesselDlg.h"
#include "model/ApplyAssignments.h"
#include "platform/Prompter.h"
#include "text/LocalText.h"

namespace tessel {

void CTesselDlg::StartApplyTransfer(bool all, std::function<void(bool)> applied) {
    std::shared_ptr<const PreparedApply> prepared;
    {
        // The edit store first, then the apply store; neither is held while
        // the frames go out.
        const auto editLock = m_context.editStore.Lock();
        if (SnapshotEditStore(m_context.editStore, m_context.applyStore)) {
            // Positions of macros moved: the other profiles' key blocks go out too.
            all = all || MacroNumberingChanged(m_context.editStore);
            if (auto built = PrepareApply(m_context.applyStore, all, ApplyServicesForWindow())) {
                prepared = std::make_shared<const PreparedApply>(std::move(*built));
            }
        }
    }
    if (!prepared) {
        m_panel->StopProgress();
        return;
    }
    m_editedDuringTransfer = false;
    DeviceLink& link = m_device->Link();
    m_transfers.Start([&link, prepared] { return SendApply(link, *prepared); },
                      [this, prepared, applied = std::move(applied)](bool written) {
                          FinishApply(*prepared, written, ApplyServicesForWindow());
                          // An edit made meanwhile has not reached the keyboard.
                          if (!m_editedDuringTransfer) {
                              if (written) {
                                  NoteMacroNumberingApplied(m_context.editStore);
                              }
                              applied(written);
                          }
                          m_panel->StopProgress();
                      });
}

void CTesselDlg::TellKeyboardDidNotAnswer() {
    // One box at a time, however many actions failed while it is open.
    if (m_exiting || m_tellingNoAnswer || !m_parts) {
        return;
    }
    m_tellingNoAnswer = true;
    QString text = LocalText(u"IDS_MAIN_DEVICE_NO_ANSWER");
    if (text.isEmpty() || text == QString::fromStdU16String(std::u16string(kMissingText))) {
        text = QStringLiteral("The keyboard did not answer. Check its cable and try again.");
    }
    m_parts->prompter.ShowMessage(text.toStdU16String(), u"", PromptButtons::Ok,
                                  PromptIcon::Warning);
    m_tellingNoAnswer = false;
}

}  // namespace tessel
