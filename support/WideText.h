// Wide texts: the UTF-16 texts of the system's wide calls, ending at the
// first NUL. The tool's own texts stay 8-bit in the ANSI code page; these
// routines carry them across to a wide call and back. Results come from the
// text pool and are null when it is out.
#pragma once

#include <stddef.h>
#include <windows.h>

// Number of characters before the first NUL; 0 for an absent text.
size_t WideLength(const WCHAR *text);

// A zero-filled buffer of count characters plus one more NUL.
WCHAR *NewWideBuffer(size_t count);

// The first length bytes of text converted from the ANSI code page as the
// system's ANSI calls convert their texts, in a zero-filled buffer that
// holds at least minimum characters besides the NUL.
WCHAR *WideFromAnsi(const char *text, size_t length, size_t minimum);

// True when text holds a character below U+0020: a line break, a tab or
// another control character.
bool HasControlCharacter(const WCHAR *text);

// True when both wide texts hold the same characters (absent equals empty).
bool SameWide(const WCHAR *a, const WCHAR *b);

// The text in codePage (CP_ACP for the ANSI one), but only when that code
// page carries every character of it exactly: no best-fit replacement, no
// default character, and converting it back gives the same text. Null
// otherwise.
const char *ExactlyIn(UINT codePage, const WCHAR *text);

// The ANSI text in codePage, exactly as ExactlyIn carries it: the text
// itself for CP_ACP, null when codePage cannot carry it.
const char *AnsiIn(UINT codePage, const char *text);
