/* The floor for the dialog path: a program that starts OLE, as a dialog's
 * host must, only shows the same Save dialog, with the same request, and
 * ends; with the command line "open", the same Open dialog. */
#include <windows.h>
#include <commdlg.h>
#include <ole2.h>

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
    OleInitialize(NULL);
    if (lstrcmpA(GetCommandLineA(), "open") == 0) {
        request.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
        ExitProcess(GetOpenFileNameA(&request) ? 0 : 1);
    }
    ExitProcess(GetSaveFileNameA(&request) ? 0 : 1);
}
