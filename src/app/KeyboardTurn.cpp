#include "app/KeyboardTurn.h"

#include "app/InstanceWait.h"

namespace tessel {

KeyboardTurn WaitForKeyboardTurn(NamedMutex& mutex, std::string_view programFileName) {
    // Without a place for the mutex, no other process can hold it either.
    if (mutex.Open() != MutexOpen::AlreadyExists) {
        return {};
    }
    const MutexWaitResult waited = WaitForMutexOrInstance(mutex, programFileName, true);
    switch (waited.outcome) {
        case MutexWait::Instance:
            return {waited.pid, {}};
        case MutexWait::Owned:
        case MutexWait::OtherProgram:
            // A program of another name holds it: as a first start does, go on alone.
            return {};
        case MutexWait::TimedOut:
            break;
    }
    const std::string owner =
        waited.pid != 0 ? " (process " + std::to_string(waited.pid) + ")" : std::string();
    return {0, "another process of this program" + owner +
                   " is still talking to the keyboard; nothing was done, try again when it "
                   "has ended"};
}

}  // namespace tessel
