#include <windows.h>

#include "Console.h"
#include "Text.h"

namespace {

HANDLE outputHandle;
HANDLE errorHandle;

DWORD ByteCount(const char *text) {
    size_t length = TextLength(text);
    return length > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<DWORD>(length);
}

bool ToConsole(HANDLE stream, const char *text) {
    DWORD written = 0;
    return WriteConsoleA(stream, text, ByteCount(text), &written, nullptr) != 0;
}

bool ToFile(HANDLE stream, const char *text) {
    DWORD count = ByteCount(text);
    DWORD written = 0;
    BOOL done = WriteFile(stream, text, count, &written, nullptr);
    return done != 0 && written == count;
}

} // namespace

void OpenConsoleStreams(void) {
    outputHandle = GetStdHandle(STD_OUTPUT_HANDLE);
    errorHandle = GetStdHandle(STD_ERROR_HANDLE);
}

UINT ReaderCodePage(void) {
    UINT console = GetConsoleOutputCP();
    return console == 0 || console == GetACP() ? CP_ACP : console;
}

bool WriteOut(const char *text) {
    if (text == nullptr) {
        return true;
    }
    if (ToConsole(outputHandle, text)) {
        return true;
    }
    return ToFile(outputHandle, text);
}

void WriteError(const char *text) {
    const char *shown = text != nullptr ? text : "";
    if (ToConsole(errorHandle, shown)) {
        ToConsole(errorHandle, "\n");
    } else {
        ToFile(errorHandle, shown);
        ToFile(errorHandle, "\n");
    }
}
