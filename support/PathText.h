// Path text rules. Slash and backslash both separate; every routine ends
// its text at the first NUL, reads an absent text as empty, and returns a
// new text (empty, never null, when the pool is out). Texts are UTF-8:
// every byte the rules look for is ASCII, so no part starts or ends inside
// a character.
#pragma once

// The folder part of path with its closing separator. A leading double
// quote is skipped; the scan stops at the first '|', so a separator after
// a bar does not count. Empty when no separator comes first.
const char *PathPart(const char *path);

// What follows the last separator of path (a bar does not stop this scan),
// up to the first double quote. A leading double quote is skipped.
const char *FilePart(const char *path);

// True when text may stand as a bare file name: not empty, no byte below
// 0x20 and none of " * / : < > ? \ |; every character beyond ASCII is
// allowed. No check of length or device names.
bool IsValidFileName(const char *text);
