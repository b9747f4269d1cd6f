/* The floor for the help and refusal paths: the same platform calls as the
 * tool makes there, and nothing else, with no C runtime. */
#include <windows.h>

void FloorStart(void);

static BOOL WINAPI EndOnEvent(DWORD event) {
    ExitProcess(event);
}

void FloorStart(void) {
    FARPROC setDefault =
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefault != NULL) {
        ((BOOL(WINAPI *)(DWORD))(void (*)(void))setDefault)(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    GetStdHandle(STD_OUTPUT_HANDLE);
    HWND console = GetConsoleWindow();
    if (console != NULL) {
        HWND top = GetAncestor(console, GA_ROOTOWNER);
        if (top != NULL && IsWindowVisible(top)) {
            IsIconic(top);
        }
    }
    SetConsoleCtrlHandler(EndOnEvent, TRUE);
    DWORD written;
    WriteFile(error, "Invalid option: /x\n", 19, &written, NULL);
    ExitProcess(255);
}
