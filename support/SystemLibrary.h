// Procedures of the system's own DLLs, loaded when first needed, so that a
// run that does not need a DLL never pays for loading it.
#pragma once

#include <windows.h>

// The address of procedure in dll (a bare ASCII file name such as
// "comdlg32.dll"), loaded by its full path in the system folder, so that no
// other folder is ever searched for it; null when the DLL or the procedure
// cannot be had. Loading twice is harmless: the system counts it.
FARPROC SystemProcedure(const char *dll, const char *procedure);
