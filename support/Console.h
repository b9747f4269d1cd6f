// The console streams: standard output carries the result and nothing
// else; standard error carries help and refusals. Both writers work on a
// console, a file or a pipe, write the bytes unchanged, and buffer nothing.
#pragma once

#include <windows.h>

// Takes the two standard handles; call once before any write.
void OpenConsoleStreams(void);

// The code page the process's streams are read in: the console's output
// code page (what cmd.exe reads a called script or captured output in,
// and what a console shows) when the process has a console whose code page
// is not the ANSI one; CP_ACP otherwise, also with no console at all.
UINT ReaderCodePage(void);

// Writes text to standard output in one write and adds nothing; an absent
// text writes nothing. Tries the console first and falls back to a file
// write. True when every byte was written.
bool WriteOut(const char *text);

// Writes text and then one line feed to standard error; an absent text
// writes the lone line feed. Failures are not reported.
void WriteError(const char *text);
