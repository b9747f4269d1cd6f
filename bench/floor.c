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
    /* the command line as the tool reads it: UTF-16 to UTF-8, and the
     * message's text back through UTF-16 into the ANSI code page */
    static char utf8[3 * 32768];
    static WCHAR wide[32768];
    static char ansi[32768];
    LPCWSTR line = GetCommandLineW();
    int size = WideCharToMultiByte(CP_UTF8, 0, line, -1, NULL, 0, NULL, NULL);
    WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, size, NULL, NULL);
    MultiByteToWideChar(CP_UTF8, 0, "/x", 2, wide, 32768);
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, 2, ansi, 32768, NULL, NULL);
    DWORD written;
    WriteFile(error, "Invalid option: /x\n", 19, &written, NULL);
    ExitProcess(255);
}
