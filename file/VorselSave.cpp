#include <windows.h>
#include <commdlg.h>

#include "Vorsel.h"
#include "../support/Console.h"
#include "../support/Text.h"

namespace {

constexpr size_t filterBlockSize = 1024;
constexpr size_t nameBufferSize = 40960;
constexpr DWORD nameCharacters = 20480;  // half of the name buffer
constexpr DWORD requestRecordSize = 136; // the record without its last three fields
constexpr size_t longestFolder = 259;    // what the dialog can open in: MAX_PATH with its NUL

size_t Larger(size_t a, size_t b) {
    return a > b ? a : b;
}

// The one filter entry: Patterns as description and as pattern list, each
// ending in NUL, and the closing NUL. Never smaller than 1024 bytes and
// always large enough for Patterns.
char *MakeFilterBlock(const char *patterns) {
    size_t length = TextLength(patterns);
    char *block = NewBuffer(Larger(filterBlockSize, 2 * length + 3));
    if (block != nullptr) {
        for (size_t i = 0; i < length; i++) {
            block[i] = patterns[i];
            block[length + 1 + i] = patterns[i];
        }
    }
    return block;
}

// The name buffer, holding DefaultName when present; large enough for any
// DefaultName, whatever the dialog is told it holds.
char *MakeNameBuffer(const char *defaultName) {
    size_t length = TextLength(defaultName);
    char *buffer = NewBuffer(Larger(nameBufferSize, length + 1));
    if (buffer != nullptr) {
        for (size_t i = 0; i < length; i++) {
            buffer[i] = defaultName[i];
        }
    }
    return buffer;
}

// The folder the dialog starts in: never null, and empty for a folder too
// long for the dialog, which then opens where it would without one (a long
// folder makes some dialogs fail or crash instead).
const char *StartFolder(const char *folder) {
    size_t length = TextLength(folder);
    return length == 0 || length > longestFolder ? "" : folder;
}

} // namespace

const char *ComposeResultLine(const RunSettings *settings, const char *chosenName) {
    const char *command = settings->CommandString;
    size_t commandLength = TextLength(command);
    size_t nameLength = TextLength(chosenName);
    bool blank = commandLength > 0 && command[commandLength - 1] != '=';
    bool quoted = (settings->outputSwitches & quoteResult) != 0;
    bool lineEnd = (settings->outputSwitches & noCrlf) == 0;

    char *line = NewBuffer(commandLength + 1 + 2 + nameLength + 2);
    if (line == nullptr) {
        return nullptr;
    }
    size_t at = 0;
    for (size_t i = 0; i < commandLength; i++) {
        line[at++] = command[i];
    }
    if (blank) {
        line[at++] = ' ';
    }
    if (quoted) {
        line[at++] = '"';
    }
    for (size_t i = 0; i < nameLength; i++) {
        line[at++] = chosenName[i];
    }
    if (quoted) {
        line[at++] = '"';
    }
    if (lineEnd) {
        line[at++] = '\r';
        line[at++] = '\n';
    }
    return line;
}

void SaveStage(RunSettings *settings) {
    char *filterBlock = MakeFilterBlock(settings->Patterns);
    char *nameBuffer = MakeNameBuffer(settings->DefaultName);

    OPENFILENAMEA request = {};
    request.lStructSize = requestRecordSize;
    request.hwndOwner = settings->OwnerWindow;
    request.lpstrFilter = filterBlock;
    request.nFilterIndex = 1;
    request.lpstrFile = nameBuffer;
    request.nMaxFile = nameCharacters;
    request.lpstrInitialDir = StartFolder(settings->InitialFolder);
    request.lpstrTitle = settings->WindowTitle;
    request.Flags = settings->dialogFlags;

    settings->ExitStatus = exitNoName;
    if (filterBlock == nullptr || nameBuffer == nullptr) {
        return;
    }
    if (GetSaveFileNameA(&request) == 0) {
        return;
    }
    settings->ExitStatus = exitChosen;
    const char *line = ComposeResultLine(settings, nameBuffer);
    if (line == nullptr || !WriteOut(line)) {
        settings->ExitStatus = exitNoName;
    }
}
