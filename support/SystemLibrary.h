// Procedures of the system's own DLLs, loaded when first needed, so that a
// run that does not need a DLL never pays for loading it, and only ever
// from the system folder.
#pragma once

#include <windows.h>

// Restricts where the process looks for DLLs to the system folder, so that
// a DLL planted beside the executable or in the current folder is never
// loaded, also by the system's own DLLs (the Save dialog loads many by
// name). Call first thing, before any DLL is loaded. Where the system
// lacks that restriction (Windows 7 without its update), it at least takes
// the current folder out of the search.
void RestrictLibrarySearch(void);

// A procedure's address, which its caller casts to the procedure's type.
typedef void (*SystemCall)(void);

// The address of procedure in dll (a bare ASCII file name such as
// "comdlg32.dll"), loaded by its full path in the system folder, so that no
// other folder is ever searched for it; null when the DLL or the procedure
// cannot be had. Loading twice is harmless: the system counts it.
SystemCall SystemProcedure(const char *dll, const char *procedure);
