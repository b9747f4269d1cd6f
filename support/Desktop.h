// What a user can see of the process: whether any window it shows can be
// seen at all, and which window a dialog of its should belong to.
#pragma once

#include <windows.h>

// True when no one can see a window the process shows: its window station
// is not the visible one (a service's, a scheduled task's that runs whether
// the user is logged on or not, a remote shell's), or it runs in session 0,
// the services' session. False when a user can see it, and when the system
// cannot tell: a dialog then shows as it would.
bool NoOneCanSeeWindows(void);

// The window a dialog should belong to: the console's own window, when the
// top of its owner chain (the console itself, or the terminal that holds
// it) is shown and not minimized. Null otherwise, and with no console, so
// that the dialog stands on its own with a taskbar button of its own
// instead of hiding with a minimized or hidden owner.
HWND ConsoleOwnerWindow(void);

// Uses up the show state the starting program passed (STARTF_USESHOWWINDOW
// with a hidden or minimized window, the usual way to start a console tool
// without a console window), which the system would apply to the first
// window the process shows: a dialog with no owner would open hidden or
// minimized. A window no one sees takes it instead, shown with
// SW_SHOWDEFAULT and destroyed. Nothing happens when the starter passed no
// show state. Call before showing a dialog that has no owner.
void UseUpStarterShowState(void);
