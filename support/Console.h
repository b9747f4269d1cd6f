// The console streams: standard output carries the result and nothing
// else; standard error carries help and refusals. Both writers work on a
// console, a file or a pipe, write the bytes unchanged, and buffer nothing;
// after StreamsInUtf8 a console is given the characters instead.
#pragma once

#include <windows.h>

// Takes the two standard handles, for texts in the code page the line is
// read in; call once before any write.
void OpenConsoleStreams(void);

// The value a run ends with when a console control event ends it, the
// one the system's own handler gives (STATUS_CONTROL_C_EXIT).
constexpr UINT exitInterrupted = 0xC000013A;

// The code page the process's streams are read in: the console's output
// code page (what cmd.exe reads a called script or captured output in,
// and what a console shows) when that console is read, by another process
// that shares it or as the screen standard output goes to, and its code
// page is not the ANSI one. CP_ACP otherwise: with no console at all, and
// with a console of the tool's own, whose starter reads a pipe or a file
// in its ANSI code page. Call after OpenConsoleStreams.
UINT ReaderCodePage(void);

// From now on the texts written are UTF-8: files and pipes get their bytes
// unchanged, and a console, which would read bytes in its own code page,
// is given their characters through the wide call.
void StreamsInUtf8(void);

// Writes text to standard output in one write and adds nothing; an absent
// text writes nothing. Tries the console first and falls back to a file
// write. True when every byte was written.
bool WriteOut(const char *text);

// Writes text and then one line feed to standard error; an absent text
// writes the lone line feed. Failures are not reported.
void WriteError(const char *text);

// From now on Ctrl+C, Ctrl+Break and the console closing end the process
// with exitInterrupted. Ctrl+C and Ctrl+Break first enable owner (when not
// null) again: a dialog disables its owner while it is up, and nothing else
// gives another process's window back its input when the dialog's process
// ends. A closing console's window is busy closing, and enabling it would
// wait on it, so that event ends the process at once. Logoff and shutdown
// never come here: the system sends them to no process that has loaded
// user32, and ends such a process itself.
void EndOnControlEvents(HWND owner);
