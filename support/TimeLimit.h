// A time limit on the one dialog a run shows. When it runs out, the dialog
// and any question standing on it are closed as their own buttons close
// them, the top one first, until the dialog call returns. It runs on the
// thread's own timer, which the dialog's message loop dispatches, so
// nothing of it runs on another thread. Only the Windows build has it: the
// native build's stand-in answers for it.
#pragma once

#include <windows.h>

// Starts a limit of seconds (0: none, which always succeeds) from now, for
// the dialog about to be shown on this thread. False when the system could
// not start the timer.
bool StartTimeLimit(unsigned seconds);

// Stops the limit; true when it ran out before it was stopped.
bool StopTimeLimit(void);
