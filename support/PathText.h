// Path text rules. Slash and backslash both separate; every routine ends
// its text at the first NUL, reads an absent text as empty, and returns a
// new text (empty, never null, when the pool is out). Texts are UTF-8:
// every byte the rules look for is ASCII, so no part starts or ends inside
// a character.
#pragma once

#include <stddef.h>

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

// The Save dialog's file types read from patterns, the file part of the
// second parameter, as the dialog's filter list holds them: each type's
// name and then its patterns, each ending in NUL, and one more NUL after the
// last; *size gets the list's length, every NUL counted. Without a '|',
// patterns is one type, shown by its patterns (which may be empty). With
// one, it is "Name|patterns|Name|patterns...", each pair one type in that
// order. Null, with *size 0, for a list the dialog could not show (an odd
// number of fields, an empty name or empty patterns) and when out of pool.
const char *FileTypeList(const char *patterns, size_t *size);
