// The executable's entry point. The tool links no C runtime, so the process
// starts here and ends through ExitProcess.
#include <windows.h>

#include "Vorsel.h"
#include "../support/StackGuard.h"

extern "C" void VorselStart(void);

namespace {

// An absolute address, kept for the loader. Windows loads an image at a
// random base (ASLR) only when it carries base relocations, and code that
// needs no absolute address leaves the linker none to write: this one
// address in read-only data keeps a relocation table in the exe, whatever
// the rest of the code comes to need.
[[gnu::used]] void (*const relocated)(void) = VorselStart;

} // namespace

// Unprotected: the guard it seeds is not yet the one a check would compare.
extern "C" __attribute__((no_stack_protector)) void VorselStart(void) {
    SeedStackGuard();
    static RunSettings settings;
    ExitProcess(static_cast<UINT>(RunVorsel(&settings)));
}
