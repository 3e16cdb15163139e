// Apply of the key-assignment editor: the pending choice into the key's entry
// of the profile that was active when the editor opened.

#include <QComboBox>

#include "editors/Tessel_DlgComposite.h"
#include "editors/Tessel_DlgCompositeMacroPage.h"
#include "model/AssignmentEdits.h"

namespace tessel {

using namespace composite_ids;

bool Tessel_DlgComposite::ApplyKeyEditor() {
    if (!IsOpen() || !m_macroPage->Store()) {
        return false;
    }
    KeyEditorChoice choice;
    choice.category = m_category;
    choice.source = CheckedSource();
    choice.capturedCode = m_capturedCode;
    choice.mouseChoice = List(kMouseList)->currentIndex();
    choice.macroIdentifier = m_macroPage->SelectedIdentifier();
    choice.cycleCount = CycleCount();
    choice.multimediaIndex = List(kMediaList)->currentIndex();
    choice.functionIndex = List(kFunctionList)->currentIndex();
    if (const std::optional<EntryEdit> edit =
            BuildKeyEntry(m_target.keyIndex, m_storedType, choice)) {
        if (EditKeyAssignment(m_services.editStore, m_profile, m_target.keyIndex, edit->type,
                              edit->auxiliary, edit->value)) {
            m_storedType = edit->type;
        }
    }
    m_host.RefreshKeyButtonLabels();
    SetModified(false);
    m_host.EnableApply(true);
    return true;
}

}  // namespace tessel
