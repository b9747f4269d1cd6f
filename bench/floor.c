/* The floor for the help and refusal paths: the same platform calls as the
 * tool makes there, and nothing else, with no C runtime. */
#include <windows.h>

void FloorStart(void);

void FloorStart(void) {
    static char title[301];
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    GetStdHandle(STD_OUTPUT_HANDLE);
    if (GetConsoleTitleA(title, 300) != 0) {
        FindWindowA(NULL, title);
    }
    DWORD written;
    WriteFile(error, "Invalid option: /x\n", 19, &written, NULL);
    ExitProcess(255);
}
