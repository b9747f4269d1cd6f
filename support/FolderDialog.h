// The system's dialogs for choosing a folder: the folder picker, and the
// older folder browser for systems without it (Windows Server Core). Their
// DLLs are loaded from the system folder when first needed. Only the
// Windows build has them: the native build's stand-in answers for them.
#pragma once

#include <windows.h>

// What became of a question for a folder.
enum FolderAnswer : unsigned char {
    folderChosen,    // *path holds the chosen folder's file-system path
    folderCancelled, // the user cancelled (or the older browser failed: it
                     // tells the two apart no more)
    folderFailed,    // *error holds the failure's HRESULT
    folderMissing,   // the dialogs could not be loaded
};

// Asks for a folder, through the folder picker, owned by owner, opened in
// folder (also when the user chose another one last; empty, or a folder
// that cannot be found: where it would open without one), under title
// (null: its own); where the picker cannot be made, through the older
// browser, started there under that title. The path has any length. Both
// need OLE started on the thread (a single-threaded apartment) first.
FolderAnswer AskForFolder(HWND owner, const WCHAR *folder, const WCHAR *title, WCHAR **path,
                          unsigned *error);
