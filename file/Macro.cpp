#include <windows.h>

#include "Macro.h"
#include "../support/Text.h"

namespace {

constexpr DWORD firstBufferSize = 260;

char *BlankBuffer(DWORD size) {
    char *buffer = NewBuffer(size);
    if (buffer != nullptr) {
        for (DWORD i = 0; i < size; i++) {
            buffer[i] = ' ';
        }
    }
    return buffer;
}

// Asks the platform for the full form in a buffer of size characters:
// 0 on failure, the length written when it fit, or the size it needs.
DWORD Resolve(const char *path, DWORD size, char **result) {
    *result = BlankBuffer(size);
    if (*result == nullptr) {
        return 0;
    }
    char *filePart = nullptr;
    return GetFullPathNameA(path, size, *result, &filePart);
}

} // namespace

const char *FullPath(const char *path) {
    if (path == nullptr || path[0] == 0) {
        return path;
    }
    char *buffer = nullptr;
    DWORD answer = Resolve(path, firstBufferSize, &buffer);
    if (answer == 0) {
        return path;
    }
    if (answer < firstBufferSize) {
        return buffer;
    }
    DWORD needed = answer;
    answer = Resolve(path, needed, &buffer);
    if (answer == 0 || answer >= needed) {
        return path;
    }
    return buffer;
}
