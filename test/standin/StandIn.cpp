// The stand-in platform: enough of each call's contract for the tool's
// rules to be exercised natively, with every effect recorded in standIn.
#include <string.h>

#include "StandIn.h"

StandIn *standIn;

struct StandInWindow {
    int unused;
};

namespace {

StandInWindow consoleWindow;

char outputHandle, errorHandle;

void Append(char *to, size_t *length, const void *bytes, size_t count) {
    size_t room = standInTextSize - *length;
    size_t taken = count < room ? count : room;
    memcpy(to + *length, bytes, taken);
    *length += taken;
}

void CopyString(char *to, const char *from) {
    if (from == nullptr) {
        to[0] = 0;
        return;
    }
    size_t length = strnlen(from, standInTextSize - 1);
    memcpy(to, from, length);
    to[length] = 0;
}

StreamKind KindOf(HANDLE stream) {
    return stream == &outputHandle ? standIn->outputKind : standIn->errorKind;
}

void Record(HANDLE stream, const void *bytes, size_t count) {
    if (stream == &outputHandle) {
        Append(standIn->output, &standIn->outputLength, bytes, count);
        standIn->outputWrites++;
    } else {
        Append(standIn->error, &standIn->errorLength, bytes, count);
    }
}

} // namespace

HWND StandInConsoleWindow(void) {
    return &consoleWindow;
}

LPSTR WINAPI GetCommandLineA(void) {
    return standIn->commandLine;
}

DWORD WINAPI GetFullPathNameA(LPCSTR path, DWORD size, LPSTR buffer, LPSTR *filePart) {
    standIn->fullPathCalls++;
    *filePart = nullptr;
    if (standIn->pathKind == pathFail) {
        return 0;
    }
    static char full[2 * standInTextSize];
    bool absolute = path[0] != 0 && path[1] == ':';
    full[0] = 0;
    if (path[0] == '\\' || path[0] == '/') {
        strcpy(full, "C:");
    } else if (!absolute) {
        strcpy(full, standIn->currentDirectory);
        strcat(full, "\\");
    }
    strncat(full, path, standInTextSize);
    DWORD length = static_cast<DWORD>(strlen(full));
    if (standIn->pathKind == pathGrowing) {
        return size + 10;
    }
    if (length + 1 > size) {
        return length + 1;
    }
    memcpy(buffer, full, length + 1);
    return length;
}

DWORD WINAPI GetConsoleTitleA(LPSTR title, DWORD size) {
    size_t length = strlen(standIn->consoleTitle);
    if (length == 0 || size == 0) {
        return 0;
    }
    if (length > size - 1) {
        length = size - 1;
    }
    memcpy(title, standIn->consoleTitle, length);
    title[length] = 0;
    return static_cast<DWORD>(length);
}

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName) {
    if (className == nullptr && windowName != nullptr &&
        strcmp(windowName, standIn->consoleTitle) == 0) {
        return &consoleWindow;
    }
    return nullptr;
}

LPSTR WINAPI CharLowerA(LPSTR text) {
    for (char *c = text; *c != 0; c++) {
        if (*c >= 'A' && *c <= 'Z') {
            *c = static_cast<char>(*c - 'A' + 'a');
        }
    }
    return text;
}

BOOL WINAPI GetSaveFileNameA(OPENFILENAMEA *request) {
    standIn->dialogCalls++;
    standIn->request = *request;
    const char *filter = request->lpstrFilter;
    size_t description = strlen(filter);
    size_t patterns = strlen(filter + description + 1);
    standIn->filterLength = description + 1 + patterns + 1 + 1; // one entry and the closing NUL
    memcpy(standIn->filter, filter,
           standIn->filterLength < standInTextSize ? standIn->filterLength : standInTextSize);
    CopyString(standIn->initialDir, request->lpstrInitialDir);
    standIn->titleAbsent = request->lpstrTitle == nullptr;
    CopyString(standIn->title, request->lpstrTitle);
    CopyString(standIn->initialName, request->lpstrFile);
    size_t zeros = 0;
    for (size_t i = strlen(request->lpstrFile); i < request->nMaxFile; i++) {
        zeros += request->lpstrFile[i] == 0;
    }
    standIn->nameBufferZeros = zeros;
    if (!standIn->dialogConfirms) {
        return 0;
    }
    size_t answer = strnlen(standIn->dialogAnswer, request->nMaxFile - 1);
    memcpy(request->lpstrFile, standIn->dialogAnswer, answer);
    request->lpstrFile[answer] = 0;
    return 1;
}

HANDLE WINAPI GetStdHandle(DWORD which) {
    return which == STD_OUTPUT_HANDLE ? &outputHandle : &errorHandle;
}

BOOL WINAPI WriteConsoleA(HANDLE console, const VOID *bytes, DWORD count, LPDWORD written,
                          LPVOID reserved) {
    if (KindOf(console) != streamConsole || reserved != nullptr) {
        return 0;
    }
    Record(console, bytes, count);
    *written = count;
    return 1;
}

BOOL WINAPI WriteFile(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written,
                      LPOVERLAPPED overlapped) {
    StreamKind kind = KindOf(file);
    if (kind == streamBroken || overlapped != nullptr) {
        *written = 0;
        return 0;
    }
    DWORD taken = kind == streamShort && count > 0 ? count - 1 : count;
    Record(file, bytes, taken);
    *written = taken;
    return 1;
}
