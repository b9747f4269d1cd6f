#include <windows.h>

#include "Text.h"
#include "WideText.h"

namespace {

// A UTF-16 character of the wide text takes at most three bytes in any
// ANSI code page, UTF-8 included.
constexpr size_t mostBytesPerCharacter = 3;

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

const char *AnsiExactly(const WCHAR *text) {
    size_t length = WideLength(text);
    if (length == 0) {
        return "";
    }
    int room = Count(mostBytesPerCharacter * length);
    char *ansi = NewBuffer(static_cast<size_t>(room));
    if (ansi == nullptr) {
        return nullptr;
    }
    int made = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, Count(length), ansi, room,
                                   nullptr, nullptr);
    if (made <= 0) {
        // UTF-8 and a few other code pages take no flags; the comparison
        // below still catches every change.
        made = WideCharToMultiByte(CP_ACP, 0, text, Count(length), ansi, room, nullptr, nullptr);
    }
    if (made <= 0) {
        return nullptr;
    }
    WCHAR *back = NewWideBuffer(length);
    if (back == nullptr) {
        return nullptr;
    }
    int again = MultiByteToWideChar(CP_ACP, 0, ansi, made, back, Count(length));
    if (again != Count(length) || TextLength(ansi) != static_cast<size_t>(made)) {
        return nullptr;
    }
    for (size_t i = 0; i < length; i++) {
        if (back[i] != text[i]) {
            return nullptr;
        }
    }
    return ansi;
}
