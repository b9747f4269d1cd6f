// The system's dialogs for choosing a folder: the folder picker, and the
// older folder browser for systems without it (Windows Server Core). Their
// DLLs are loaded from the system folder when first needed. Only the
// Windows build has them: the native build's stand-in answers for them.
#pragma once

#include <windows.h>

// What became of a question for a folder.
enum FolderAnswer : unsigned char {
    folderChosen,      // *paths holds the chosen folders' file-system paths
    folderWithoutPath, // a chosen item has no file-system path
    folderCancelled,   // the user cancelled (or the older browser failed: it
                       // tells the two apart no more)
    folderFailed,      // *error holds the failure's HRESULT
    folderMissing,     // the dialogs could not be loaded
};

// Asks for a folder, or with several for one or more, through the folder
// picker, owned by owner, opened in folder (also when the user chose
// another one last; empty, or a folder that cannot be found: where it
// would open without one), under title (null: its own); where the picker
// cannot be made, for one folder through the older browser, started there
// under that title. *paths is in the form the Open dialog hands several
// files back in, with an empty folder: a NUL, each path (of any length) in
// the order the dialog gave them, ending in NUL, and one more NUL after the
// last. Both dialogs need OLE started on the thread (a single-threaded
// apartment) first.
FolderAnswer AskForFolder(HWND owner, const WCHAR *folder, const WCHAR *title, bool several,
                          WCHAR **paths, unsigned *error);
