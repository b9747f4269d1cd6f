#include <windows.h>
#include <commdlg.h>

#include "Vorsel.h"
#include "../support/Console.h"
#include "../support/Desktop.h"
#include "../support/SystemLibrary.h"
#include "../support/Text.h"
#include "../support/WideText.h"

namespace {

constexpr size_t filterBlockSize = 1024;
constexpr size_t nameCharacters = 20480; // the name buffer's 40960 bytes, as wide characters
constexpr DWORD requestRecordSize = 136; // the record without its last three fields
constexpr size_t longestFolder = 259;    // what the dialog can open in: MAX_PATH with its NUL

typedef BOOL(WINAPI *SaveDialogCall)(OPENFILENAMEW *request);
typedef DWORD(WINAPI *DialogErrorCall)(void);
typedef void (*AnyCall)(void);

// A whole text in wide form, or null for an absent one.
const WCHAR *Wide(const char *text) {
    return text == nullptr ? nullptr : WideFromUtf8(text, TextLength(text), 0);
}

// The filter block: the file types with their NULs, in wide form. Never
// smaller than 1024 characters, and always large enough for the types.
WCHAR *MakeFilterBlock(const char *fileTypes, size_t size) {
    return WideFromUtf8(fileTypes, size, filterBlockSize);
}

// The name buffer, holding DefaultName when present; large enough for any
// DefaultName, whatever the dialog is told it holds.
WCHAR *MakeNameBuffer(const char *defaultName) {
    return WideFromUtf8(defaultName, TextLength(defaultName), nameCharacters);
}

// The folder the dialog starts in: never null, and empty for a folder too
// long for the dialog, which then opens where it would without one (a long
// folder makes some dialogs fail or crash instead).
const WCHAR *StartFolder(const char *folder) {
    const WCHAR *wide = Wide(folder != nullptr ? folder : "");
    if (wide == nullptr || WideLength(wide) > longestFolder) {
        return Wide("");
    }
    return wide;
}

// A procedure of the dialog's library, loaded on first use: the help and
// refusal paths never pay for it. Null when it cannot be loaded.
AnyCall DialogProcedure(const char *name) {
    // A procedure's address stands for a call of its real type.
    return reinterpret_cast<AnyCall>(SystemProcedure("comdlg32.dll", name));
}

// Shows the dialog: true on a confirmed name. A dialog that failed, or
// could not be loaded, says so on standard error; a plain cancel says
// nothing.
bool ShowDialog(OPENFILENAMEW *request) {
    auto showDialog = reinterpret_cast<SaveDialogCall>(DialogProcedure("GetSaveFileNameW"));
    auto dialogError = reinterpret_cast<DialogErrorCall>(DialogProcedure("CommDlgExtendedError"));
    if (showDialog == nullptr || dialogError == nullptr) {
        WriteError("The Save dialog could not be loaded from the system folder's comdlg32.dll; "
                   "no name was chosen.");
        return false;
    }
    if (showDialog(request) != 0) {
        return true;
    }
    DWORD error = dialogError();
    if (error != 0) {
        WriteError(
            JoinTexts(JoinTexts("The Save dialog failed with error 0x", NumberText(error, 16)),
                      " (CommDlgExtendedError); no name was chosen."));
    }
    return false;
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
    WCHAR *filterBlock = MakeFilterBlock(settings->FileTypes, settings->fileTypesSize);
    WCHAR *nameBuffer = MakeNameBuffer(settings->DefaultName);

    // The wide dialog shows the texts as the caller wrote them and hands
    // back the chosen name without loss; it goes out only when the line's
    // code page carries it exactly.
    OPENFILENAMEW request = {};
    request.lStructSize = requestRecordSize;
    request.hwndOwner = settings->OwnerWindow;
    request.lpstrFilter = filterBlock;
    request.nFilterIndex = 1;
    request.lpstrFile = nameBuffer;
    request.nMaxFile = nameCharacters;
    request.lpstrInitialDir = StartFolder(settings->InitialFolder);
    request.lpstrTitle = Wide(settings->WindowTitle);
    request.Flags = settings->dialogFlags;
    // An empty default extension has the dialog add the selected type's
    // own extension to a name typed without one, and none for a type that
    // names no literal extension (*.*); without one it adds nothing.
    static const WCHAR noExtension[1] = {0};
    request.lpstrDefExt = settings->addExtension ? noExtension : nullptr;

    settings->ExitStatus = exitNoName;
    if (filterBlock == nullptr || nameBuffer == nullptr || request.lpstrInitialDir == nullptr ||
        (settings->WindowTitle != nullptr && request.lpstrTitle == nullptr)) {
        return;
    }
    // Where no one can see the dialog, no one can answer it: a run that
    // waited for it would wait for ever.
    if (NoOneCanSeeWindows()) {
        WriteError("No one can see a dialog in this session (a service, a scheduled task or a "
                   "remote shell); no name was chosen.");
        return;
    }
    // A dialog with no owner is the window a starter's hidden or minimized
    // start would apply to.
    if (request.hwndOwner == nullptr) {
        UseUpStarterShowState();
    }
    if (!ShowDialog(&request)) {
        return;
    }
    // The dialog hands back whatever the name box held; a line break in it
    // would make the line two commands.
    if (HasControlCharacter(nameBuffer)) {
        WriteError("The chosen name holds a control character (such as a line break), which "
                   "would split the line; please choose another name.");
        return;
    }
    const char *chosenName = ExactlyIn(settings->ReaderCodePage, nameBuffer);
    if (chosenName == nullptr) {
        WriteError(
            JoinTexts(Uncarried("The chosen name", settings), "; please choose another name."));
        return;
    }
    settings->ExitStatus = exitChosen;
    const char *line = ComposeResultLine(settings, chosenName);
    if (line == nullptr || !WriteOut(line)) {
        settings->ExitStatus = exitNoName;
    }
}
