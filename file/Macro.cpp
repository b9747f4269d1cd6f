#include <windows.h>

#include "Macro.h"
#include "../support/Text.h"
#include "../support/WideText.h"

namespace {

constexpr DWORD firstBufferSize = 260;

WCHAR *BlankBuffer(DWORD size) {
    WCHAR *buffer = NewWideBuffer(size);
    if (buffer != nullptr) {
        for (DWORD i = 0; i < size; i++) {
            buffer[i] = ' ';
        }
    }
    return buffer;
}

// Asks the platform for the full form in a buffer of size characters:
// 0 on failure, the length written when it fit, or the size it needs.
DWORD Resolve(const WCHAR *path, DWORD size, WCHAR **result) {
    *result = BlankBuffer(size);
    if (*result == nullptr) {
        return 0;
    }
    WCHAR *filePart = nullptr;
    return GetFullPathNameW(path, size, *result, &filePart);
}

} // namespace

const char *FullPath(const char *path) {
    if (path == nullptr || path[0] == 0) {
        return path;
    }
    const WCHAR *wide = WideFromUtf8(path, TextLength(path), 0);
    WCHAR *buffer = nullptr;
    DWORD answer = wide != nullptr ? Resolve(wide, firstBufferSize, &buffer) : 0;
    if (answer == 0) {
        return path;
    }
    if (answer >= firstBufferSize) {
        DWORD needed = answer;
        answer = Resolve(wide, needed, &buffer);
        if (answer == 0 || answer >= needed) {
            return path;
        }
    }
    const char *full = Utf8FromWide(buffer);
    return full != nullptr ? full : path;
}
