#include <windows.h>

#include "Console.h"
#include "Text.h"
#include "WideText.h"

namespace {

HANDLE outputHandle;
HANDLE errorHandle;
HWND ownerToEnable; // set before the handler is, read by it on its own thread
bool inUtf8;        // texts are UTF-8, shown on a console as characters

DWORD ByteCount(const char *text) {
    size_t length = TextLength(text);
    return length > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<DWORD>(length);
}

bool ToConsole(HANDLE stream, const char *text) {
    DWORD written = 0;
    if (!inUtf8) {
        return WriteConsoleA(stream, text, ByteCount(text), &written, nullptr) != 0;
    }
    const WCHAR *wide = WideFromUtf8(text, TextLength(text), 0);
    size_t length = WideLength(wide);
    DWORD count = length > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<DWORD>(length);
    return wide != nullptr && WriteConsoleW(stream, wide, count, &written, nullptr) != 0;
}

bool ToFile(HANDLE stream, const char *text) {
    DWORD count = ByteCount(text);
    DWORD written = 0;
    BOOL done = WriteFile(stream, text, count, &written, nullptr);
    return done != 0 && written == count;
}

// True when what the process writes is read through its console: standard
// output is the console itself, or another process (cmd.exe, PowerShell)
// shares the console and reads it.
bool ConsoleIsRead(void) {
    DWORD mode = 0;
    if (GetConsoleMode(outputHandle, &mode) != 0) {
        return true;
    }
    DWORD processes[2] = {};
    return GetConsoleProcessList(processes, 2) > 1;
}

// Runs on a thread of its own when a control event arrives, whatever the
// main thread is doing (the dialog may be up), and never returns. It ends
// the process without running the loaded DLLs' detach code: the dialog's
// shell extensions would run theirs in a state no one planned for.
BOOL WINAPI EndOnEvent(DWORD event) {
    if (event != CTRL_CLOSE_EVENT && ownerToEnable != nullptr) {
        EnableWindow(ownerToEnable, TRUE);
    }
    TerminateProcess(GetCurrentProcess(), exitInterrupted);
    ExitProcess(exitInterrupted); // only if the system would not end it so
}

} // namespace

void OpenConsoleStreams(void) {
    inUtf8 = false;
    outputHandle = GetStdHandle(STD_OUTPUT_HANDLE);
    errorHandle = GetStdHandle(STD_ERROR_HANDLE);
}

UINT ReaderCodePage(void) {
    UINT console = GetConsoleOutputCP();
    if (console == 0 || console == GetACP() || !ConsoleIsRead()) {
        return CP_ACP;
    }
    return console;
}

void StreamsInUtf8(void) {
    inUtf8 = true;
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

void EndOnControlEvents(HWND owner) {
    ownerToEnable = owner;
    SetConsoleCtrlHandler(EndOnEvent, TRUE);
}
