// The console streams: standard output carries the result and nothing
// else; standard error carries help and refusals. Both writers work on a
// console, a file or a pipe, write the bytes unchanged, and buffer nothing.
#pragma once

// Takes the two standard handles; call once before any write.
void OpenConsoleStreams(void);

// Writes text to standard output in one write and adds nothing; an absent
// text writes nothing. Tries the console first and falls back to a file
// write. True when every byte was written.
bool WriteOut(const char *text);

// Writes text and then one line feed to standard error; an absent text
// writes the lone line feed. Failures are not reported.
void WriteError(const char *text);
