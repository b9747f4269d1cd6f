#include <windows.h>

#include "TimeLimit.h"
#include "WideText.h"

namespace {

constexpr UINT nextRound = 250; // ms from one round of closing to the next

UINT_PTR timer; // the running limit's timer; 0: none
bool ranOut;

// Closes window when it is one of the thread's dialogs that takes input
// now (one with a question on it is disabled until the question is gone):
// through the first of Cancel, No and OK it has, the way out that asks
// for nothing, of a dialog, a yes-or-no question and a notice alike.
BOOL CALLBACK CloseDialog(HWND window, LPARAM) {
    static const WCHAR dialogClass[] = {'#', '3', '2', '7', '7', '0', 0};
    WCHAR kind[8] = {};
    if (GetClassNameW(window, kind, 8) == 0 || !SameWide(kind, dialogClass) ||
        IsWindowEnabled(window) == 0) {
        return TRUE;
    }
    const int waysOut[] = {IDCANCEL, IDNO, IDOK};
    for (int way : waysOut) {
        HWND button = GetDlgItem(window, way);
        if (button != nullptr) {
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(way, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            return TRUE;
        }
    }
    return TRUE;
}

// One round of closing, when the limit runs out and every nextRound ms
// after that: what was under a question takes input once it is gone.
void CALLBACK RunOut(HWND, UINT, UINT_PTR, DWORD) {
    ranOut = true;
    EnumThreadWindows(GetCurrentThreadId(), CloseDialog, 0);
    SetTimer(nullptr, timer, nextRound, RunOut);
}

} // namespace

bool StartTimeLimit(unsigned seconds) {
    ranOut = false;
    if (seconds == 0) {
        return true;
    }
    timer = SetTimer(nullptr, 0, seconds * 1000, RunOut);
    return timer != 0;
}

bool StopTimeLimit(void) {
    if (timer != 0) {
        KillTimer(nullptr, timer);
        timer = 0;
    }
    return ranOut;
}
