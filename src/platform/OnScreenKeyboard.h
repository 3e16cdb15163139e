#pragma once

namespace tessel {

// Opens the desktop's on-screen keyboard unless one already runs: the first of
// "onboard" and "florence" found on PATH. True when one runs or was started;
// a failure shows nothing.
bool OpenOnScreenKeyboard();

}  // namespace tessel
