/* The floor for the help and refusal paths: the same platform calls as the
 * tool makes there, and nothing else, with no C runtime. */
#include <windows.h>

void FloorStart(void);

void FloorStart(void) {
    static wchar_t title[301];
    FARPROC setDefault =
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefault != NULL) {
        ((BOOL(WINAPI *)(DWORD))(void (*)(void))setDefault)(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    GetStdHandle(STD_OUTPUT_HANDLE);
    if (GetConsoleTitleW(title, 300) != 0) {
        FindWindowW(NULL, title);
    }
    DWORD written;
    WriteFile(error, "Invalid option: /x\n", 19, &written, NULL);
    ExitProcess(255);
}
