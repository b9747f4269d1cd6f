/* The floor for the dialog path: a program that only shows the same Save
 * dialog, with the same request, and ends. */
#include <windows.h>
#include <commdlg.h>

void FloorStart(void);

void FloorStart(void) {
    static char name[40960];
    OPENFILENAMEA request = {0};
    request.lStructSize = 136;
    request.lpstrFilter = "*.txt\0*.txt\0";
    request.nFilterIndex = 1;
    request.lpstrFile = name;
    request.nMaxFile = 20480;
    request.lpstrInitialDir = "";
    request.lpstrTitle = "Bench";
    request.Flags = OFN_HIDEREADONLY;
    ExitProcess(GetSaveFileNameA(&request) ? 0 : 1);
}
