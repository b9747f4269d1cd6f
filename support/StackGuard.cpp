#include <windows.h>

#include "StackGuard.h"

extern "C" {
// The guard the compiler's checks compare against: a fixed value until it
// is seeded, and never that value after.
UINT_PTR __stack_chk_guard = 0x2B992DDFA232; // NOLINT(bugprone-reserved-identifier)
[[noreturn]] void __stack_chk_fail(void);    // NOLINT(bugprone-reserved-identifier)
}

// Called by a routine whose guard was overwritten: its stack, return
// address included, can no longer be trusted, so the process ends at once
// through the fail-fast interrupt, with nothing written and no handler run.
// Windows ends it with 0xC0000409 (Windows 7, which predates that
// interrupt, with an access violation).
extern "C" void __stack_chk_fail(void) {
    __asm__ volatile("int $0x29" : : "c"(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE) : "memory");
    __builtin_unreachable();
}

__attribute__((no_stack_protector)) void SeedStackGuard(void) {
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    LARGE_INTEGER counter = {};
    QueryPerformanceCounter(&counter);
    // Each source moves the bits that change most to a place of its own.
    UINT_PTR seed = (static_cast<UINT_PTR>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    seed ^= static_cast<UINT_PTR>(GetCurrentProcessId()) << 32;
    seed ^= static_cast<UINT_PTR>(GetCurrentThreadId()) << 16;
    seed ^= static_cast<UINT_PTR>(GetTickCount64()) << 48;
    seed ^=
        static_cast<UINT_PTR>(counter.QuadPart) ^ (static_cast<UINT_PTR>(counter.QuadPart) << 32);
    seed ^= reinterpret_cast<UINT_PTR>(&seed); // where the stack lies, moved by ASLR
    __stack_chk_guard = seed != __stack_chk_guard ? seed : seed ^ 0x5A5A5A5A; // never the known one
}
