#pragma once
// What a part of the program needs to have the keyboard do something: a job
// for the keyboard's one owner (KeyboardSession), and the active profile as
// last known, which never costs a frame.

#include <functional>

#include "device/DeviceLink.h"

namespace tessel {

class KeyboardJobs {
public:
    // Runs on the keyboard's own thread and touches nothing but the link and
    // what it captured; returns a device result code.
    using Work = std::function<int(DeviceLink&)>;
    // Runs on the owner's thread with the job's result: the work's own, or the
    // first failed frame's when one failed.
    using Done = std::function<void(int result)>;
    // Whether the user hears of a failed job from the session, or from the
    // job's own `done` (an answer to another process, an expected absence).
    enum class OnFailure { Tell, Quiet };

    virtual ~KeyboardJobs() = default;
    // Queues the job behind every job asked for before; false (and `done`
    // never runs) once the keyboard's owner has stopped.
    virtual bool Submit(Work work, Done done = {}, OnFailure onFailure = OnFailure::Tell) = 0;
    virtual int CachedActiveProfile() const = 0;
};

}  // namespace tessel
