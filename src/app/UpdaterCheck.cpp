#include "app/UpdaterCheck.h"

#include "platform/ProgramCheck.h"

namespace tessel {

std::u16string_view UpdaterRefusalKey(const std::filesystem::path& updater) {
    switch (CheckProgramRuns(updater)) {
        case ProgramCheck::Runnable:
            return {};
        case ProgramCheck::NotExecutable:
            return u"IDS_UPDATE_REFUSED_NOT_EXECUTABLE";
        case ProgramCheck::WindowsProgram:
            return u"IDS_UPDATE_REFUSED_WINDOWS";
        case ProgramCheck::OtherMachine:
            return u"IDS_UPDATE_REFUSED_OTHER_MACHINE";
        case ProgramCheck::MissingInterpreter:
            return u"IDS_UPDATE_REFUSED_INTERPRETER";
        case ProgramCheck::NotAProgram:
            break;
    }
    return u"IDS_UPDATE_REFUSED_NOT_A_PROGRAM";
}

}  // namespace tessel
