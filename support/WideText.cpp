#include <windows.h>

#include "Text.h"
#include "WideText.h"

namespace {

int Count(size_t count) {
    return count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(count);
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

WCHAR *WideFromAnsi(const char *text, size_t length, size_t minimum) {
    // No code page makes more characters than it has bytes.
    WCHAR *wide = NewWideBuffer(length > minimum ? length : minimum);
    if (wide == nullptr || length == 0) {
        return wide;
    }
    int made = MultiByteToWideChar(CP_ACP, 0, text, Count(length), wide, Count(length));
    if (made <= 0) {
        wide[0] = 0;
    }
    return wide;
}

bool HasControlCharacter(const WCHAR *text) {
    for (size_t i = 0; text != nullptr && text[i] != 0; i++) {
        if (text[i] < 0x20) {
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
    if (length == 0 || static_cast<size_t>(count) != length) {
        return length == 0 ? "" : nullptr;
    }
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    int size = WideCharToMultiByte(codePage, flags, text, count, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        // UTF-8 and a few other code pages take no flags; the comparison
        // below still catches every change.
        flags = 0;
        size = WideCharToMultiByte(codePage, flags, text, count, nullptr, 0, nullptr, nullptr);
    }
    char *bytes = size > 0 ? NewBuffer(static_cast<size_t>(size)) : nullptr;
    if (bytes == nullptr ||
        WideCharToMultiByte(codePage, flags, text, count, bytes, size, nullptr, nullptr) != size ||
        TextLength(bytes) != static_cast<size_t>(size)) {
        return nullptr;
    }
    WCHAR *back = NewWideBuffer(length);
    if (back == nullptr || MultiByteToWideChar(codePage, 0, bytes, size, back, count) != count) {
        return nullptr;
    }
    return SameWide(back, text) ? bytes : nullptr;
}

const char *AnsiIn(UINT codePage, const char *text) {
    if (codePage == CP_ACP) {
        return text;
    }
    const WCHAR *wide = WideFromAnsi(text, TextLength(text), 0);
    return wide != nullptr ? ExactlyIn(codePage, wide) : nullptr;
}
