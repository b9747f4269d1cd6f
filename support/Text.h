// Texts: runs of bytes ending at the first NUL. An absent text is a null
// pointer and reads as the empty text.
//
// Which form a text has where: the command line comes from the system in
// UTF-16 and every text the tool reads from it is UTF-8, exactly as the
// caller wrote it; texts go back to UTF-16 only for the system's wide calls
// (the dialog, the full path) and come back from them as UTF-8. Only what
// the tool writes leaves that form: the result line and the parameters a
// message shows, in the code page their reader reads (see ReaderCodePage),
// or UTF-8 when the caller asked for it. Every byte the tool's rules look
// at (blank, quote, separators, bar, refused characters) is ASCII, and no
// ASCII byte occurs inside a UTF-8 sequence, so the rules read UTF-8 byte
// by byte.
//
// Every text the tool makes comes from one fixed pool that lives until the
// process ends; nothing is ever released. The pool holds several times the
// longest command line Windows can pass, so it never runs out in practice;
// should it, NewBuffer answers null and callers treat that as no text.
#pragma once

#include <stddef.h>

// Number of bytes before the first NUL; 0 for an absent text.
size_t TextLength(const char *text);

// A zero-filled buffer of size bytes plus one more NUL byte, or null when
// the pool cannot hold it.
char *NewBuffer(size_t size);

// A new text holding the first length bytes of from; null when out of pool.
char *CopyText(const char *from, size_t length);

// A new text holding first followed by second; null when out of pool.
char *JoinTexts(const char *first, const char *second);

// The value written in base 10 or 16 (upper-case digits, no prefix); null
// when out of pool.
const char *NumberText(unsigned value, unsigned base);

// True when both texts hold the same bytes (absent equals empty).
bool SameText(const char *a, const char *b);

// How much of the pool is in use: a mark for TakeBackTo.
size_t PoolMark(void);

// Takes back every text made since mark; texts made before it stay. A run
// that handles texts one at a time, each done with before the next, so
// needs no more room than the largest.
void TakeBackTo(size_t mark);

// Takes back every text made so far. The tool never calls it; a harness
// that runs many times in one process does.
void EmptyPool(void);
