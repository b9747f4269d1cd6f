// The stand-in platform's state: what a test sets up for one run of the
// tool and what the run left behind. It lives in memory shared with the
// child process each run happens in (see RunInChild), so a test reads the
// outcome after the child has ended.
#pragma once

#include <stddef.h>
#include <windows.h>

// How a standard stream behaves.
enum StreamKind {
    streamConsole, // WriteConsoleA succeeds
    streamFile,    // WriteConsoleA fails, WriteFile writes everything
    streamShort,   // WriteConsoleA fails, WriteFile writes one byte less
    streamBroken,  // both fail
};

// How GetFullPathNameA answers.
enum PathKind {
    pathJoin,    // joins a relative text to currentDirectory
    pathFail,    // always 0
    pathGrowing, // asks for a larger buffer every time
};

// The ANSI code page, 1252 or 932. Both map bytes 0x80 to 0xFF to U+0080 to
// U+00FF, and best-fit three characters they lack: U+FF02 to '"', U+FF06 to
// '&' and U+0108 to 'C'; the double-byte one also has lead bytes 0x81 to
// 0x9F and 0xE0 to 0xFC, as code page 932 has. The console's code page may
// also be 437, with ä é ö ü Ä Ö Ü ß at their real places and box characters
// for its other high bytes.
enum CodePage {
    codePageSingle,
    codePageDouble,
};

constexpr size_t standInTextSize = 1 << 20;

struct StandIn {
    // set up by the test
    char commandLine[standInTextSize];
    char wideCommandLine[standInTextSize]; // UTF-8; when set, commandLine is its best-fit form
    char consoleTitle[400];                // UTF-8; empty: GetConsoleTitleW fails
    UINT consoleCodePage;                  // 0: no console
    char currentDirectory[400];
    PathKind pathKind;
    CodePage codePage;
    StreamKind outputKind;
    StreamKind errorKind;
    bool dialogConfirms;
    char dialogAnswer[standInTextSize]; // UTF-8, written over lpstrFile on confirm
    DWORD dialogError;                  // what CommDlgExtendedError answers
    bool dialogMissing;                 // comdlg32.dll does not load
    bool oldSystem;                     // no SetDefaultDllDirectories

    // left by the run
    bool finished;
    int exitValue;
    char output[standInTextSize];
    size_t outputLength;
    int outputWrites;
    char error[standInTextSize];
    size_t errorLength;
    int fullPathCalls;
    int dialogCalls;
    int libraryLoads;
    char libraryCalls[1000]; // each call that sets the DLL search or loads a DLL, one a line
    OPENFILENAMEW request;   // its texts as recorded below, in the code page
    char filter[standInTextSize];
    size_t filterLength; // the first entry's two texts with their NULs, and one more byte
    char initialDir[standInTextSize];
    char title[standInTextSize];
    bool titleAbsent;
    char initialName[standInTextSize];
    size_t nameBufferZeros;     // zero bytes after the initial name, up to nMaxFile
    char note[standInTextSize]; // free for a test's own results
    size_t noteLength;
};

// The window FindWindowW answers for the console title.
HWND StandInConsoleWindow(void);

// The state of the current run; set by RunInChild.
extern StandIn *standIn;
