#include <windows.h>

#include "Desktop.h"

bool NoOneCanSeeWindows(void) {
    DWORD session = 1;
    if (ProcessIdToSessionId(GetCurrentProcessId(), &session) != 0 && session == 0) {
        return true;
    }
    HWINSTA station = GetProcessWindowStation();
    if (station == nullptr) {
        return false;
    }
    USEROBJECTFLAGS flags = {};
    DWORD needed = 0;
    if (GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, &needed) == 0) {
        return false;
    }
    return (flags.dwFlags & WSF_VISIBLE) == 0;
}

HWND ConsoleOwnerWindow(void) {
    HWND console = GetConsoleWindow();
    if (console == nullptr) {
        return nullptr;
    }
    // Windows Terminal owns the hidden window it gives each console, so
    // that what it shows is what the check looks at.
    HWND top = GetAncestor(console, GA_ROOTOWNER);
    if (top == nullptr || IsWindowVisible(top) == 0 || IsIconic(top) != 0) {
        return nullptr;
    }
    return console;
}

void UseUpStarterShowState(void) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    if ((startup.dwFlags & STARTF_USESHOWWINDOW) == 0) {
        return;
    }
    // No size, no frame and no taskbar button; and a layered window shows
    // nothing until it is given its look, so no show state makes it seen.
    static const WCHAR staticClass[] = {'S', 't', 'a', 't', 'i', 'c', 0};
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_LAYERED, staticClass, nullptr, WS_POPUP,
                                  0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr) {
        return;
    }
    ShowWindow(window, SW_SHOWDEFAULT);
    DestroyWindow(window);
}
