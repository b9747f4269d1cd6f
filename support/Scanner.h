// The command-line scanner.
#pragma once

// The next parameter of the process's command line, in UTF-8, or the empty
// text when none is left; never null. The program path, the first token,
// is skipped.
//
// Parameters are separated by blanks (0x20) only. A token that starts with
// a double quote runs to the next quote or to the end of the line, and the
// quotes belong to no token; there are no escapes. An empty quoted token is
// handed out as the empty text, so a caller cannot tell it from the end.
// The scanner keeps its place between calls, so the whole line is read once
// however many parameters it holds.
const char *NextParameter(void);

// True when every parameter on the command line has an exact UTF-8 form:
// false when one holds a lone surrogate, which UTF-16 allows and UTF-8
// cannot hold, so that the scanner would hand it out as U+FFFD. The program
// path, which the tool never reads, is left out, so that the tool runs from
// any folder.
bool CommandLineIsWhole(void);

// Forgets the scanner's place, so that the next call starts again at the
// program path of a newly fetched command line. The tool never calls it;
// a harness that runs many command lines in one process does.
void RestartScanner(void);
