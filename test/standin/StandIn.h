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

// How GetFullPathNameW answers.
enum PathKind {
    pathJoin,    // joins a relative text to currentDirectory
    pathFail,    // always 0
    pathGrowing, // asks for a larger buffer every time
};

// The stand-in's code pages: the ANSI one, 1252, maps bytes 0x80 to 0xFF
// to U+0080 to U+00FF, and best-fits three characters it lacks: U+FF02 to
// '"', U+FF06 to '&' and U+0108 to 'C'. The console's code page may also be
// 437, with ä é ö ü Ä Ö Ü ß at their real places and box characters for its
// other high bytes, or 65001, UTF-8, which writes a lone surrogate as U+FFFD.

// How a window stands on the screen; an absent one does not exist.
enum WindowState {
    windowAbsent,
    windowShown,
    windowMinimized,
    windowHidden,
};

// The window station and session the process runs in.
enum Station {
    stationVisible,    // the user's own: WSF_VISIBLE, session 1
    stationHidden,     // one of a service's or a scheduled task's: no WSF_VISIBLE
    stationUnknown,    // neither the station nor the session can be queried
    stationSessionZero // visible, but in the services' session
};

// A console control event the stand-in sends.
enum ControlEvent { controlNone, controlC, controlClose };

constexpr size_t standInTextSize = 1 << 20;

struct StandIn {
    // set up by the test
    char commandLine[standInTextSize]; // UTF-8; ED A0 80 to ED BF BF are lone surrogates
    UINT consoleCodePage;              // 0: no console
    bool consoleOfItsOwn;              // no other process shares the console
    WindowState consoleWindow;         // what GetConsoleWindow answers and how it stands
    WindowState terminalWindow;        // a terminal that owns the console's window
    Station station;
    char currentDirectory[400];
    PathKind pathKind;
    StreamKind outputKind;
    StreamKind errorKind;
    bool dialogConfirms;
    char dialogAnswer[standInTextSize]; // UTF-8, written over lpstrFile on confirm; with
                                        // OFN_ALLOWMULTISELECT, '|' separates names
    DWORD dialogError;                  // what CommDlgExtendedError answers
    DWORD oleError;                     // what OleInitialize answers
    bool dialogOverruns;                // a too large answer is written whole, past nMaxFile
    bool dialogMissing;                 // comdlg32.dll does not load
    bool oldSystem;                     // no SetDefaultDllDirectories
    ControlEvent control;               // arrives while the dialog is up
    bool nobodyAnswers;                 // the dialog waits, until a time limit closes it
    bool starterShows;                  // the starter passed STARTF_USESHOWWINDOW

    // left by the run
    bool finished;
    int exitValue;
    bool terminated; // ended by TerminateProcess, with no DLL told
    char output[standInTextSize];
    size_t outputLength;
    int outputWrites;
    char error[standInTextSize];
    size_t errorLength;
    int fullPathCalls;
    int dialogCalls;
    int libraryLoads;
    HWND enabledWindow;      // the last window EnableWindow enabled
    char libraryCalls[1000]; // each call that sets the DLL search or loads a DLL, one a line
    int defaultShows;        // windows shown with SW_SHOWDEFAULT before the dialog
    int windowsLeft;         // windows made and not destroyed
    unsigned timeLimit;      // the last time limit started, in seconds
    OPENFILENAMEW request;   // its texts as recorded below, in UTF-8
    char filter[standInTextSize];
    size_t filterLength; // every entry's two texts with their NULs, and the closing NUL
    char initialDir[standInTextSize];
    char title[standInTextSize];
    bool titleAbsent;
    char defaultExtension[standInTextSize];
    char initialName[standInTextSize];
    size_t nameBufferZeros;     // zero bytes after the initial name, up to nMaxFile
    char note[standInTextSize]; // free for a test's own results
    size_t noteLength;
};

// The console's window, as GetConsoleWindow answers it when present.
HWND StandInConsoleWindow(void);

// The state of the current run; set by RunInChild.
extern StandIn *standIn;
