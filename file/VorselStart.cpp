// The executable's entry point. The tool links no C runtime, so the process
// starts here and ends through ExitProcess.
#include <windows.h>

#include "Vorsel.h"

extern "C" void VorselStart(void);

extern "C" void VorselStart(void) {
    static RunSettings settings;
    ExitProcess(static_cast<UINT>(RunVorsel(&settings)));
}
