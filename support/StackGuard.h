// Stack protection for an executable with no C runtime to bring it: the
// guard value the compiler's checks compare against, the routine they call
// when a routine's guard was overwritten, and the seeding of the guard.
// Only the Windows build has them: the native build keeps its sanitizers.
#pragma once

// Gives the guard a value no one can know in advance, from the clocks, the
// process and thread ids and a stack address. Call first thing at the entry
// point, before any protected routine runs: a routine entered before would
// find another guard on its way out. It is itself unprotected for that
// reason.
void SeedStackGuard(void);
