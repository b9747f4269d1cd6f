// The stand-in platform: enough of each call's contract for the tool's
// rules to be exercised natively, with every effect recorded in standIn.
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "StandIn.h"
#include "../../support/FolderDialog.h"
#include "../../support/TimeLimit.h"
#include "../../support/WideText.h"

StandIn *standIn;

struct StandInWindow {
    int unused;
};

namespace {

StandInWindow consoleWindow;
StandInWindow terminalWindow;
PHANDLER_ROUTINE controlHandler;
char dialogLibrary; // the module LoadLibraryExW hands out
char kernelLibrary; // the module GetModuleHandleA hands out
char oleLibrary;    // the module LoadLibraryExW hands out for ole32.dll
char thisProcess;   // what GetCurrentProcess hands out

char outputHandle, errorHandle;

void Append(char *to, size_t *length, const void *bytes, size_t count) {
    size_t room = standInTextSize - *length;
    size_t taken = count < room ? count : room;
    memcpy(to + *length, bytes, taken);
    *length += taken;
}

// The UTF-8 bytes (n of them) as UTF-16 in to, which holds room characters;
// malformed bytes and overlong forms become U+FFFD, as on Windows, but a
// surrogate's own form is its lone surrogate. Returns the characters made.
size_t FromUtf8(WCHAR *to, size_t room, const char *from, size_t n) {
    const unsigned char *b = reinterpret_cast<const unsigned char *>(from);
    const unsigned char *end = b + n;
    size_t at = 0;
    while (b < end && at + 2 < room) {
        unsigned code = 0xFFFD;
        int more = *b >= 0xF0 ? 3 : *b >= 0xE0 ? 2 : *b >= 0xC0 ? 1 : 0;
        unsigned value = more == 0 ? *b : *b & (0x3Fu >> more);
        int i = 1;
        for (; i <= more && b + i < end && (b[i] & 0xC0) == 0x80; i++) {
            value = value << 6 | (b[i] & 0x3F);
        }
        const unsigned least[] = {0, 0x80, 0x800, 0x10000};
        if (*b < 0x80 || (i > more && value >= least[more] && value <= 0x10FFFF)) {
            code = value;
        }
        b += i;
        if (code >= 0x10000) {
            to[at++] = static_cast<WCHAR>(0xD800 + ((code - 0x10000) >> 10));
            code = 0xDC00 + ((code - 0x10000) & 0x3FF);
        }
        to[at++] = static_cast<WCHAR>(code);
    }
    to[at] = 0;
    return at;
}

// The UTF-16 characters (n of them) as UTF-8 in to, which has room; a lone
// surrogate becomes U+FFFD, as Windows writes it. Returns the bytes made.
size_t ToUtf8(char *to, const WCHAR *from, size_t n) {
    size_t at = 0;
    for (size_t i = 0; i < n; i++) {
        unsigned c = from[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && from[i + 1] >= 0xDC00 &&
            from[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (from[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        const unsigned lead[] = {0x00, 0xC0, 0xE0, 0xF0};
        int more = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        to[at++] = static_cast<char>(lead[more] | c >> (6 * more));
        for (int k = more - 1; k >= 0; k--) {
            to[at++] = static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
        }
    }
    return at;
}

// Wide text in UTF-8, for recording what the dialog was given.
void CopyWide(char *to, const WCHAR *from) {
    size_t length = 0;
    while (from != nullptr && from[length] != 0 && length < standInTextSize / 4) {
        length++;
    }
    to[ToUtf8(to, from, length)] = 0;
}

// Code page 437's letters that the tests use, at their real places.
const struct {
    unsigned char byte;
    WCHAR wide;
} oemLetters[] = {{0x81, 0xFC}, {0x82, 0xE9}, {0x84, 0xE4}, {0x8E, 0xC4},
                  {0x94, 0xF6}, {0x99, 0xD6}, {0x9A, 0xDC}, {0xE1, 0xDF}};

// The character a byte of a single-byte code page stands for.
WCHAR FromByte(UINT codePage, unsigned char byte) {
    if (codePage != 437 || byte < 0x80) {
        return byte;
    }
    for (const auto &letter : oemLetters) {
        if (letter.byte == byte) {
            return letter.wide;
        }
    }
    return static_cast<WCHAR>(0x2500 + byte);
}

// What a best-fit table makes of a character the code page lacks; 0 for
// none.
char BestFit(WCHAR c) {
    switch (c) {
    case 0xFF02:
        return '"';
    case 0xFF06:
        return '&';
    case 0x0108:
        return 'C';
    default:
        return 0;
    }
}

WindowState StateOf(HWND window) {
    return window == &consoleWindow    ? standIn->consoleWindow
           : window == &terminalWindow ? standIn->terminalWindow
                                       : windowAbsent;
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

LPWSTR WINAPI GetCommandLineW(void) {
    static WCHAR line[standInTextSize];
    FromUtf8(line, standInTextSize, standIn->commandLine, strlen(standIn->commandLine));
    return line;
}

UINT WINAPI GetConsoleOutputCP(void) {
    return standIn->consoleCodePage;
}

DWORD WINAPI GetConsoleProcessList(LPDWORD processes, DWORD count) {
    DWORD attached = standIn->consoleOfItsOwn ? 1 : 2;
    if (standIn->consoleCodePage == 0 || count == 0) {
        return 0;
    }
    for (DWORD i = 0; i < attached && i < count; i++) {
        processes[i] = 4242 + i;
    }
    return attached;
}

BOOL WINAPI GetConsoleMode(HANDLE console, LPDWORD mode) {
    *mode = 3;
    return standIn->consoleCodePage != 0 && KindOf(console) == streamConsole;
}

UINT WINAPI GetACP(void) {
    return 1252;
}

DWORD WINAPI GetFullPathNameW(LPCWSTR widePath, DWORD size, LPWSTR buffer, LPWSTR *filePart) {
    standIn->fullPathCalls++;
    *filePart = nullptr;
    if (standIn->pathKind == pathFail) {
        return 0;
    }
    static char path[standInTextSize];
    static char full[2 * standInTextSize];
    CopyWide(path, widePath);
    bool absolute = path[0] != 0 && path[1] == ':';
    full[0] = 0;
    if (path[0] == '\\' || path[0] == '/') {
        strcpy(full, "C:");
    } else if (!absolute) {
        strcpy(full, standIn->currentDirectory);
        strcat(full, "\\");
    }
    strncat(full, path, standInTextSize);
    static WCHAR wide[2 * standInTextSize];
    DWORD length = static_cast<DWORD>(FromUtf8(wide, 2 * standInTextSize, full, strlen(full)));
    if (standIn->pathKind == pathGrowing) {
        return size + 10;
    }
    if (length + 1 > size) {
        return length + 1;
    }
    memcpy(buffer, wide, 2 * (length + 1));
    return length;
}

HWND WINAPI GetConsoleWindow(void) {
    return standIn->consoleWindow != windowAbsent ? &consoleWindow : nullptr;
}

HWND WINAPI GetAncestor(HWND window, UINT which) {
    if (StateOf(window) == windowAbsent || which != GA_ROOTOWNER) {
        return nullptr;
    }
    return window == &consoleWindow && standIn->terminalWindow != windowAbsent ? &terminalWindow
                                                                               : window;
}

BOOL WINAPI IsWindowVisible(HWND window) {
    WindowState state = StateOf(window);
    return state == windowShown || state == windowMinimized;
}

BOOL WINAPI IsIconic(HWND window) {
    return StateOf(window) == windowMinimized;
}

BOOL WINAPI EnableWindow(HWND window, BOOL enable) {
    if (enable != 0) {
        standIn->enabledWindow = window;
    }
    return 0;
}

void WINAPI GetStartupInfoW(STARTUPINFOW *startup) {
    startup->dwFlags = standIn->starterShows ? STARTF_USESHOWWINDOW : 0;
}

HWND WINAPI CreateWindowExW(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU,
                            HINSTANCE, LPVOID) {
    static StandInWindow made;
    standIn->windowsLeft++;
    return &made;
}

BOOL WINAPI ShowWindow(HWND, int show) {
    standIn->defaultShows += show == SW_SHOWDEFAULT && standIn->dialogCalls == 0;
    return 0;
}

BOOL WINAPI DestroyWindow(HWND) {
    standIn->windowsLeft--;
    return 1;
}

HWINSTA WINAPI GetProcessWindowStation(void) {
    static char station;
    return standIn->station == stationUnknown ? nullptr : &station;
}

BOOL WINAPI GetUserObjectInformationW(HANDLE object, int index, void *information, DWORD size,
                                      LPDWORD needed) {
    *needed = sizeof(USEROBJECTFLAGS);
    if (object == nullptr || index != UOI_FLAGS || size < sizeof(USEROBJECTFLAGS)) {
        return 0;
    }
    auto *flags = static_cast<USEROBJECTFLAGS *>(information);
    flags->dwFlags = standIn->station == stationHidden ? 0 : WSF_VISIBLE;
    return 1;
}

DWORD WINAPI GetCurrentProcessId(void) {
    return 4242;
}

BOOL WINAPI ProcessIdToSessionId(DWORD process, DWORD *session) {
    if (standIn->station == stationUnknown || process != 4242) {
        return 0;
    }
    *session = standIn->station == stationSessionZero ? 0 : 1;
    return 1;
}

BOOL WINAPI SetConsoleCtrlHandler(PHANDLER_ROUTINE handler, BOOL add) {
    controlHandler = add != 0 ? handler : nullptr;
    return 1;
}

void WINAPI ExitProcess(UINT exitValue) {
    standIn->exitValue = static_cast<int>(exitValue);
    standIn->finished = true;
    _exit(0);
}

HANDLE WINAPI GetCurrentProcess(void) {
    return &thisProcess;
}

BOOL WINAPI TerminateProcess(HANDLE process, UINT exitValue) {
    standIn->terminated = process == &thisProcess;
    ExitProcess(exitValue);
}

// The time limit, answered whole as the folder dialogs are: it runs out
// on a dialog no one answers.
bool StartTimeLimit(unsigned seconds) {
    standIn->timeLimit = seconds;
    return true;
}

bool StopTimeLimit(void) {
    return standIn->timeLimit != 0 && standIn->nobodyAnswers;
}

namespace {

// Both file dialogs. An answer with '|' is several names: the folder, then
// each name, NUL-separated with one more NUL after the last, nFileOffset at
// the first name. An answer the buffer cannot hold fails with
// FNERR_BUFFERTOOSMALL and its size (16 bits of it) in the first character,
// or, overrunning, is reported as chosen and written on into the pool.
BOOL WINAPI FileDialog(OPENFILENAMEW *request) {
    standIn->dialogCalls++;
    standIn->request = *request;
    // pairs of texts up to the NUL after a pair, as the dialog reads them
    const WCHAR *filter = request->lpstrFilter;
    size_t length = 0;
    do {
        length += WideLength(filter + length) + 1;
        length += WideLength(filter + length) + 1;
    } while (filter[length] != 0 && length < standInTextSize / 4);
    standIn->filterLength = ToUtf8(standIn->filter, filter, length + 1);
    CopyWide(standIn->initialDir, request->lpstrInitialDir);
    standIn->titleAbsent = request->lpstrTitle == nullptr;
    CopyWide(standIn->title, request->lpstrTitle);
    CopyWide(standIn->defaultExtension, request->lpstrDefExt);
    CopyWide(standIn->initialName, request->lpstrFile);
    size_t zeros = 0;
    for (size_t i = WideLength(request->lpstrFile); i < request->nMaxFile; i++) {
        zeros += request->lpstrFile[i] == 0;
    }
    standIn->nameBufferZeros = zeros;
    if (standIn->nobodyAnswers) {
        return 0;
    }
    if (standIn->control != controlNone && controlHandler != nullptr) {
        // a modal dialog keeps its owner disabled until then
        controlHandler(standIn->control == controlC ? CTRL_C_EVENT : CTRL_CLOSE_EVENT);
    }
    if (!standIn->dialogConfirms) {
        return 0;
    }
    static WCHAR answer[standInTextSize];
    size_t made =
        FromUtf8(answer, standInTextSize - 1, standIn->dialogAnswer, strlen(standIn->dialogAnswer));
    size_t offset = 0;
    bool several = false;
    for (size_t i = 0; i < made; i++) {
        bool bar = answer[i] == '|' && (request->Flags & OFN_ALLOWMULTISELECT) != 0;
        offset = !several && (bar || answer[i] == '\\') ? i + 1 : offset;
        several = several || bar;
        answer[i] = bar ? 0 : answer[i];
    }
    answer[made + 1] = 0;
    if (made + 2 > request->nMaxFile && !standIn->dialogOverruns) {
        request->lpstrFile[0] = static_cast<WCHAR>(made + 2);
        standIn->dialogError = 0x3003;
        return 0;
    }
    memcpy(request->lpstrFile, answer, 2 * (made + 2));
    request->nFileOffset = standIn->request.nFileOffset = static_cast<WORD>(offset);
    return 1;
}

DWORD WINAPI CommDlgExtendedError(void) {
    return standIn->dialogError;
}

HRESULT WINAPI OleInitialize(LPVOID) {
    return static_cast<HRESULT>(standIn->oleError);
}

// Appends one line to the record of DLL search and load calls.
void LogLibraryCall(const char *call, const char *text, DWORD flags) {
    size_t used = strlen(standIn->libraryCalls);
    snprintf(standIn->libraryCalls + used, sizeof standIn->libraryCalls - used, "%s %s 0x%x\n",
             call, text, flags);
}

BOOL WINAPI SetDefaultDllDirectories(DWORD directories) {
    LogLibraryCall("SetDefaultDllDirectories", "-", directories);
    return 1;
}

} // namespace

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide,
                               int wideLength) {
    UINT page = codePage == CP_ACP ? GetACP() : codePage;
    if (flags != 0 || length <= 0 || wideLength < 0) {
        return 0;
    }
    if (page == CP_UTF8) {
        static WCHAR made[standInTextSize];
        int count =
            static_cast<int>(FromUtf8(made, standInTextSize, text, static_cast<size_t>(length)));
        if (wideLength != 0 && wideLength < count) {
            return 0;
        }
        if (wideLength != 0) {
            memcpy(wide, made, 2 * static_cast<size_t>(count));
        }
        return count;
    }
    if (wideLength == 0 || length > wideLength) {
        return wideLength == 0 ? length : 0;
    }
    for (int i = 0; i < length; i++) {
        wide[i] = FromByte(page, static_cast<unsigned char>(text[i]));
    }
    return length;
}

int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int length, LPSTR text,
                               int textLength, LPCSTR defaultCharacter, BOOL *usedDefault) {
    UINT page = codePage == CP_ACP ? GetACP() : codePage;
    if ((flags & ~DWORD{WC_NO_BEST_FIT_CHARS}) != 0 || length <= 0 || textLength < 0 ||
        defaultCharacter != nullptr || (page == CP_UTF8 && flags != 0)) {
        return 0;
    }
    if (page == CP_UTF8) {
        static char bytes[4 * standInTextSize];
        int size = static_cast<int>(ToUtf8(bytes, wide, static_cast<size_t>(length)));
        if (textLength != 0 && textLength < size) {
            return 0;
        }
        if (textLength != 0) {
            memcpy(text, bytes, static_cast<size_t>(size));
        }
        return size;
    }
    if (textLength == 0 || length > textLength) {
        return textLength == 0 ? length : 0;
    }
    for (int i = 0; i < length; i++) {
        int byte = -1;
        for (unsigned b = 0; b < 0x100 && byte < 0; b++) {
            byte =
                FromByte(page, static_cast<unsigned char>(b)) == wide[i] ? static_cast<int>(b) : -1;
        }
        char fit = (flags & WC_NO_BEST_FIT_CHARS) == 0 ? BestFit(wide[i]) : 0;
        text[i] = byte >= 0 ? static_cast<char>(byte) : fit != 0 ? fit : '?';
        if (usedDefault != nullptr && byte < 0 && fit == 0) {
            *usedDefault = 1;
        }
    }
    return length;
}

UINT WINAPI GetSystemDirectoryW(LPWSTR buffer, UINT size) {
    const char folder[] = "C:\\Windows\\system32";
    if (size < sizeof folder) {
        return sizeof folder;
    }
    for (size_t i = 0; i < sizeof folder; i++) {
        buffer[i] = static_cast<WCHAR>(folder[i]);
    }
    return sizeof folder - 1;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR name) {
    return strcmp(name, "kernel32.dll") == 0 ? &kernelLibrary : nullptr;
}

BOOL WINAPI SetDllDirectoryW(LPCWSTR folder) {
    char shown[400];
    CopyWide(shown, folder);
    LogLibraryCall("SetDllDirectoryW", shown[0] == 0 ? "(empty)" : shown, 0);
    return 1;
}

HMODULE WINAPI LoadLibraryExW(LPCWSTR path, HANDLE file, DWORD flags) {
    standIn->libraryLoads++;
    char loaded[400];
    CopyWide(loaded, path);
    LogLibraryCall("LoadLibraryExW", loaded, flags);
    // Windows 7 without its update knows none of the search flags.
    bool known = flags == LOAD_WITH_ALTERED_SEARCH_PATH ||
                 (flags == LOAD_LIBRARY_SEARCH_SYSTEM32 && !standIn->oldSystem);
    if (file != nullptr || !known) {
        return nullptr;
    }
    bool dialogs = strcmp(loaded, "C:\\Windows\\system32\\comdlg32.dll") == 0;
    return dialogs && !standIn->dialogMissing                        ? &dialogLibrary
           : strcmp(loaded, "C:\\Windows\\system32\\ole32.dll") == 0 ? &oleLibrary
                                                                     : nullptr;
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name) {
    void (*found)(void) = nullptr;
    if (module == &dialogLibrary &&
        (strcmp(name, "GetSaveFileNameW") == 0 || strcmp(name, "GetOpenFileNameW") == 0)) {
        found = reinterpret_cast<void (*)(void)>(FileDialog);
    } else if (module == &dialogLibrary && strcmp(name, "CommDlgExtendedError") == 0) {
        found = reinterpret_cast<void (*)(void)>(CommDlgExtendedError);
    } else if (module == &oleLibrary && strcmp(name, "OleInitialize") == 0) {
        found = reinterpret_cast<void (*)(void)>(OleInitialize);
    } else if (module == &kernelLibrary && strcmp(name, "SetDefaultDllDirectories") == 0 &&
               !standIn->oldSystem) {
        found = reinterpret_cast<void (*)(void)>(SetDefaultDllDirectories);
    }
    return reinterpret_cast<FARPROC>(found);
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

BOOL WINAPI WriteConsoleW(HANDLE console, const VOID *characters, DWORD count, LPDWORD written,
                          LPVOID reserved) {
    static char bytes[4 * standInTextSize];
    if (KindOf(console) != streamConsole || reserved != nullptr) {
        return 0;
    }
    Record(console, bytes, ToUtf8(bytes, static_cast<const WCHAR *>(characters), count));
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

// The folder dialogs, answered whole as the file dialogs answer: their COM
// calls are the Windows build's alone. With several, '|' separates the
// folders; one whose path starts with "::" is a virtual folder's item.
FolderAnswer AskForFolder(HWND, const WCHAR *, const WCHAR *, bool several, WCHAR **paths,
                          unsigned *error) {
    static WCHAR answer[standInTextSize];
    standIn->dialogCalls++;
    standIn->request.lpstrFile = *paths = answer;
    standIn->request.nFileOffset = 1;
    answer[0] = 0;
    size_t made = FromUtf8(answer + 1, standInTextSize - 3, standIn->dialogAnswer,
                           strlen(standIn->dialogAnswer));
    for (size_t i = 1; i <= made; i++) {
        answer[i] = several && answer[i] == '|' ? 0 : answer[i];
    }
    answer[made + 2] = 0;
    bool virtualItem = false; // among the paths up to the empty one that ends them
    for (size_t at = 1; answer[at] != 0; at += WideLength(answer + at) + 1) {
        virtualItem = virtualItem || (answer[at] == ':' && answer[at + 1] == ':');
    }
    *error = standIn->dialogError;
    if (standIn->nobodyAnswers) {
        return folderCancelled;
    }
    return standIn->dialogMissing     ? folderMissing
           : *error != 0              ? folderFailed
           : !standIn->dialogConfirms ? folderCancelled
           : virtualItem              ? folderWithoutPath
                                      : folderChosen;
}
