#pragma once
// Waiting for the single-instance mutex held by another process: starts at
// the same moment, a start while an instance is still coming up or ending,
// and keyboard commands typed while another talks to the keyboard. Exactly
// one process owns the mutex; the others wait, bounded, until it is theirs or
// until its owner's instance can take their request.

#include <chrono>
#include <string_view>

#include "platform/NamedMutex.h"

namespace tessel {

// Long enough for an instance to come up under load, or for a keyboard
// command of another process to finish.
inline constexpr std::chrono::seconds kInstanceStartWait{20};

enum class MutexWait {
    Owned,         // this process owns the mutex now
    Instance,      // the instance `pid` answers at its endpoint
    OtherProgram,  // the owner `pid` (0: one that names none) runs another program
    TimedOut,      // the owner `pid` (0: unknown) neither released it nor answered
};

struct MutexWaitResult {
    MutexWait outcome = MutexWait::TimedOut;
    int pid = 0;
};

// `mutex` was opened and found held (MutexOpen::AlreadyExists). With
// `acceptInstance` false only the mutex counts: for a process that waits for
// an instance to end.
MutexWaitResult WaitForMutexOrInstance(NamedMutex& mutex, std::string_view programFileName,
                                       bool acceptInstance,
                                       std::chrono::milliseconds bound = kInstanceStartWait);

}  // namespace tessel
