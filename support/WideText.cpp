#include <windows.h>

#include "Text.h"
#include "WideText.h"

namespace {

int Count(size_t count) {
    return count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(count);
}

bool IsSurrogate(WCHAR c, WCHAR first, WCHAR last) {
    return c >= first && c <= last;
}

// The first count characters of text in codePage, with no best-fit where
// the code page takes that flag (UTF-8 takes none): what it lacks becomes
// its default character. Null when out of pool or for an unknown page.
char *NarrowIn(UINT codePage, const WCHAR *text, int count) {
    if (count == 0) {
        return NewBuffer(0);
    }
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    int size = WideCharToMultiByte(codePage, flags, text, count, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        flags = 0;
        size = WideCharToMultiByte(codePage, flags, text, count, nullptr, 0, nullptr, nullptr);
    }
    char *bytes = size > 0 ? NewBuffer(static_cast<size_t>(size)) : nullptr;
    if (bytes == nullptr ||
        WideCharToMultiByte(codePage, flags, text, count, bytes, size, nullptr, nullptr) != size) {
        return nullptr;
    }
    return bytes;
}

} // namespace

size_t WideLength(const WCHAR *text) {
    size_t length = 0;
    if (text != nullptr) {
        while (text[length] != 0) {
            length++;
        }
    }
    return length;
}

WCHAR *NewWideBuffer(size_t count) {
    if (count > (size_t{1} << 30)) {
        return nullptr;
    }
    // The pool hands out blocks on 16-byte boundaries, fit for WCHAR.
    return reinterpret_cast<WCHAR *>(NewBuffer(2 * count + 1));
}

WCHAR *WideFromUtf8(const char *text, size_t length, size_t minimum) {
    // UTF-8 never makes more UTF-16 characters than it has bytes.
    WCHAR *wide = NewWideBuffer(length > minimum ? length : minimum);
    if (wide == nullptr || length == 0) {
        return wide;
    }
    int made = MultiByteToWideChar(CP_UTF8, 0, text, Count(length), wide, Count(length));
    if (made <= 0) {
        wide[0] = 0;
    }
    return wide;
}

const char *Utf8FromWide(const WCHAR *text) {
    return NarrowIn(CP_UTF8, text, Count(WideLength(text)));
}

bool HasControlCharacter(const WCHAR *text) {
    for (size_t i = 0; text != nullptr && text[i] != 0; i++) {
        if (text[i] < 0x20) {
            return true;
        }
    }
    return false;
}

bool HasLoneSurrogate(const WCHAR *text) {
    for (size_t i = 0; text != nullptr && text[i] != 0; i++) {
        if (IsSurrogate(text[i], 0xD800, 0xDBFF) && IsSurrogate(text[i + 1], 0xDC00, 0xDFFF)) {
            i++; // a whole pair
        } else if (IsSurrogate(text[i], 0xD800, 0xDFFF)) {
            return true;
        }
    }
    return false;
}

bool SameWide(const WCHAR *a, const WCHAR *b) {
    size_t length = WideLength(a);
    if (WideLength(b) != length) {
        return false;
    }
    for (size_t i = 0; i < length; i++) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

const char *ExactlyIn(UINT codePage, const WCHAR *text) {
    size_t length = WideLength(text);
    int count = Count(length);
    if (static_cast<size_t>(count) != length) {
        return nullptr;
    }
    const char *bytes = NarrowIn(codePage, text, count);
    if (bytes == nullptr || length == 0) {
        return bytes;
    }
    // Converting back catches every change: a best-fit or default
    // character, and U+FFFD for a lone surrogate in UTF-8.
    size_t size = TextLength(bytes);
    WCHAR *back = NewWideBuffer(length);
    if (back == nullptr ||
        MultiByteToWideChar(codePage, 0, bytes, Count(size), back, count) != count) {
        return nullptr;
    }
    return SameWide(back, text) ? bytes : nullptr;
}

const char *ShownIn(UINT codePage, const char *text) {
    const WCHAR *wide = WideFromUtf8(text, TextLength(text), 0);
    return wide != nullptr ? NarrowIn(codePage, wide, Count(WideLength(wide))) : nullptr;
}
