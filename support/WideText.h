// Wide texts: the UTF-16 texts of the system's wide calls, ending at the
// first NUL. The tool's own texts are UTF-8 (see Text.h); these routines
// carry them across to a wide call and back, and into the code page the
// result line is read in. Results come from the text pool and are null
// when it is out.
#pragma once

#include <stddef.h>
#include <windows.h>

// Number of characters before the first NUL; 0 for an absent text.
size_t WideLength(const WCHAR *text);

// A zero-filled buffer of count characters plus one more NUL.
WCHAR *NewWideBuffer(size_t count);

// The first length bytes of the UTF-8 text in UTF-16, in a zero-filled
// buffer that holds at least minimum characters besides the NUL.
WCHAR *WideFromUtf8(const char *text, size_t length, size_t minimum);

// The wide text in UTF-8. A lone surrogate, which UTF-8 cannot hold,
// becomes U+FFFD: check with HasLoneSurrogate where that matters.
const char *Utf8FromWide(const WCHAR *text);

// True when text holds a character below U+0020: a line break, a tab or
// another control character.
bool HasControlCharacter(const WCHAR *text);

// True when text holds half of a surrogate pair without its other half:
// UTF-16 allows one in a command line or a file name, but no other form of
// text can hold it.
bool HasLoneSurrogate(const WCHAR *text);

// True when both wide texts hold the same characters (absent equals empty).
bool SameWide(const WCHAR *a, const WCHAR *b);

// The text in codePage (CP_ACP for the ANSI one, CP_UTF8), but only when
// that code page carries every character of it exactly: no best-fit
// replacement, no default character, and converting it back gives the same
// text. Null otherwise.
const char *ExactlyIn(UINT codePage, const WCHAR *text);

// The UTF-8 text in codePage for a person to read: each character the code
// page lacks becomes its default character ('?'), never a best-fit look-
// alike.
const char *ShownIn(UINT codePage, const char *text);
