#include <windows.h>
#include <commdlg.h>

#include "Vorsel.h"
#include "../support/Console.h"
#include "../support/Desktop.h"
#include "../support/FolderDialog.h"
#include "../support/SystemLibrary.h"
#include "../support/Text.h"
#include "../support/TimeLimit.h"
#include "../support/WideText.h"

namespace {

constexpr size_t filterBlockSize = 1024;
constexpr size_t nameCharacters = 20480; // the name buffer's 40960 bytes, as wide characters
constexpr DWORD requestRecordSize = 136; // the record without its last three fields
constexpr size_t longestFolder = 259;    // what the dialog can open in: MAX_PATH with its NUL
constexpr DWORD bufferTooSmall = 0x3003; // FNERR_BUFFERTOOSMALL

typedef BOOL(WINAPI *FileDialogCall)(OPENFILENAMEW *request);
typedef DWORD(WINAPI *DialogErrorCall)(void);
typedef HRESULT(WINAPI *StartOleCall)(LPVOID reserved);

// A whole text in wide form, or null for an absent one.
const WCHAR *Wide(const char *text) {
    return text == nullptr ? nullptr : WideFromUtf8(text, TextLength(text), 0);
}

// The filter block: the file types with their NULs, in wide form. Never
// smaller than 1024 characters, and always large enough for the types.
WCHAR *MakeFilterBlock(const char *fileTypes, size_t size) {
    return WideFromUtf8(fileTypes, size, filterBlockSize);
}

// A name buffer of at least size characters, holding DefaultName when
// present; large enough for any DefaultName, whatever the dialog is told it
// holds.
WCHAR *MakeNameBuffer(const char *defaultName, size_t size) {
    return WideFromUtf8(defaultName, TextLength(defaultName), size);
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

// True when a dialog may be shown, with OLE started on this thread and the
// time limit running: false, with a message, when no one could see it, or
// when OLE or the limit could not be started (a message that names dialog,
// "The Save dialog ", and ends in none, "; no name was chosen."). Uses up
// the starter's show state first for a dialog with no owner.
bool ReadyForDialog(const RunSettings *settings, const char *dialog, const char *none) {
    // Where no one can see the dialog, no one can answer it: a run that
    // waited for it would wait for ever.
    if (NoOneCanSeeWindows()) {
        WriteError("No one can see a dialog in this session (a service, a scheduled task or a "
                   "remote shell); no name was chosen.");
        return false;
    }
    // The dialogs load the user's shell extensions, which must run in a
    // single-threaded apartment, and drag and drop in them needs OLE.
    auto startOle = reinterpret_cast<StartOleCall>(SystemProcedure("ole32.dll", "OleInitialize"));
    HRESULT started = startOle != nullptr ? startOle(nullptr) : 0;
    if (startOle == nullptr) {
        WriteError(JoinTexts(JoinTexts(dialog, "could not be loaded from the system folder's "
                                               "ole32.dll"),
                             none));
        return false;
    }
    if (started < 0) {
        WriteError(JoinTexts(JoinTexts(JoinTexts(dialog, "failed with error 0x"),
                                       NumberText(static_cast<unsigned>(started), 16)),
                             JoinTexts(" (OleInitialize)", none)));
        return false;
    }
    // A dialog with no owner is the window a starter's hidden or minimized
    // start would apply to.
    if (settings->OwnerWindow == nullptr) {
        UseUpStarterShowState();
    }
    // A run asked to end in time never shows a dialog that could wait for
    // ever.
    if (!StartTimeLimit(settings->timeoutSeconds)) {
        WriteError(JoinTexts(JoinTexts(dialog, "could not be given its time limit"), none));
        return false;
    }
    return true;
}

// Stops the time limit once the dialog has ended; true, with a message
// (ending in none) and ExitStatus 5, when the limit closed it unanswered.
// A name confirmed as the limit ran out still counts.
bool EndedByTimeLimit(RunSettings *settings, bool answered, const char *none) {
    if (!StopTimeLimit() || answered) {
        return false;
    }
    const char *unit = settings->timeoutSeconds == 1 ? " second" : " seconds";
    WriteError(
        JoinTexts(JoinTexts("No answer came within ", NumberText(settings->timeoutSeconds, 10)),
                  JoinTexts(unit, none)));
    settings->ExitStatus = exitTimedOut;
    return true;
}

// Shows the Save or Open dialog (showDialog, named dialog in messages, as
// "The Save dialog "): true on a confirmed name. When the names chosen do
// not fit the name buffer, the dialog is shown again with a buffer of the
// size it asks for (twice the size when that, which has only 16 bits, is
// no larger). A dialog that
// failed, or could not be loaded, says so on standard error; a plain cancel
// says nothing.
bool ShowDialog(const char *showDialog, const char *dialog, const char *defaultName,
                OPENFILENAMEW *request) {
    // A procedure's address stands for a call of its real type.
    auto show = reinterpret_cast<FileDialogCall>(SystemProcedure("comdlg32.dll", showDialog));
    auto dialogError =
        reinterpret_cast<DialogErrorCall>(SystemProcedure("comdlg32.dll", "CommDlgExtendedError"));
    if (show == nullptr || dialogError == nullptr) {
        WriteError(JoinTexts(dialog, "could not be loaded from the system folder's comdlg32.dll; "
                                     "no name was chosen."));
        return false;
    }
    for (;;) {
        if (show(request) != 0) {
            return true;
        }
        DWORD error = dialogError();
        DWORD asked = request->lpstrFile[0];
        DWORD size = asked > request->nMaxFile ? asked : 2 * request->nMaxFile;
        WCHAR *larger = error == bufferTooSmall ? MakeNameBuffer(defaultName, size) : nullptr;
        if (larger == nullptr) {
            if (error != 0) {
                WriteError(JoinTexts(JoinTexts(dialog, "failed with error 0x"),
                                     JoinTexts(NumberText(error, 16),
                                               " (CommDlgExtendedError); no name was chosen.")));
            }
            return false;
        }
        request->lpstrFile = larger;
        request->nMaxFile = size;
    }
}

// What a dialog chose: one full path, or a folder and the names in it.
struct ChosenNames {
    const WCHAR *text; // the full path; or the folder, each name, each ending
                       // in NUL, and one more NUL after the last name
    size_t size;       // characters of text that may be read
    size_t firstName;  // where the first name starts; 0: text is a full path
};

// True when name, of length characters, is a full path already: a drive,
// ':' and '\', or "\\" for a share.
bool IsFullPath(const WCHAR *name, size_t length) {
    bool drive = length >= 3 && ((name[0] | 0x20) >= 'a' && (name[0] | 0x20) <= 'z') &&
                 name[1] == ':' && name[2] == '\\';
    return drive || (length >= 2 && name[0] == '\\' && name[1] == '\\');
}

// The chosen name that follows *place (0 for the first) as a full path,
// moving *place past it; null after the last. Nothing past chosen->size is
// read.
const WCHAR *NextName(const ChosenNames *chosen, size_t *place) {
    if (chosen->firstName == 0) {
        const WCHAR *name = *place == 0 ? chosen->text : nullptr;
        *place = chosen->size;
        return name;
    }
    size_t start = *place == 0 ? chosen->firstName : *place;
    size_t end = start;
    while (end < chosen->size && chosen->text[end] != 0) {
        end++;
    }
    if (end == start || end == chosen->size) {
        return nullptr; // the empty name after the last one
    }
    *place = end + 1;
    size_t length = end - start;
    // Names are joined to the folder, which ends in a separator only when
    // it is a drive's root; a full path (a library or search results hold
    // files from many folders) stands as it is.
    size_t folder = IsFullPath(chosen->text + start, length) ? 0 : chosen->firstName - 1;
    size_t gap = folder > 0 && chosen->text[folder - 1] != '\\' ? 1 : 0;
    WCHAR *path = NewWideBuffer(folder + gap + length);
    if (path == nullptr) {
        return nullptr;
    }
    for (size_t i = 0; i < folder; i++) {
        path[i] = chosen->text[i];
    }
    if (gap != 0) {
        path[folder] = '\\';
    }
    for (size_t i = 0; i < length; i++) {
        path[folder + gap + i] = chosen->text[start + i];
    }
    path[folder + gap + length] = 0;
    return path;
}

// True when the answer ends inside its buffer: a full path with its NUL, a
// list with the empty name after its last. A dialog may report success for
// a selection it could not hand back whole.
bool EndsInside(const ChosenNames *chosen) {
    size_t at = chosen->firstName;
    for (;;) {
        size_t start = at;
        while (at < chosen->size && chosen->text[at] != 0) {
            at++;
        }
        if (at == chosen->size) {
            return false;
        }
        if (chosen->firstName == 0 || at == start) {
            return true;
        }
        at++;
    }
}

// "The chosen name" and the name in quotes, for a message: in the code page
// messages go out in, with '?' for what that lacks and for control
// characters, so that the message stays one line.
const char *Named(const RunSettings *settings, const WCHAR *name) {
    const char *text = Utf8FromWide(name);
    const char *shown = ShownIn(settings->ReaderCodePage, text != nullptr ? text : "");
    char *plain = CopyText(shown, TextLength(shown));
    for (char *c = plain; c != nullptr && *c != 0; c++) {
        *c = static_cast<unsigned char>(*c) < 0x20 ? '?' : *c;
    }
    return JoinTexts(JoinTexts("The chosen name \"", plain), "\"");
}

// The name in the line's code page; null, with a message saying why (which
// names the name with /multiple), when the line could not carry it exactly
// or it holds a control character.
const char *LineName(const RunSettings *settings, const WCHAR *name) {
    // The dialog hands back whatever the name box held; a line break in a
    // name would make the line two commands.
    bool control = HasControlCharacter(name);
    const char *exact = control ? nullptr : ExactlyIn(settings->ReaderCodePage, name);
    if (exact != nullptr) {
        return exact;
    }
    const char *what = settings->multiple ? Named(settings, name) : "The chosen name";
    WriteError(control ? JoinTexts(what, " holds a control character (such as a line break), "
                                         "which would split the line; please choose another name.")
                       : JoinTexts(Uncarried(what, settings), "; please choose another name."));
    return nullptr;
}

// True when name is a drive's root, C:\, which goes out unquoted: quoted,
// it would end in \", which programs that read their command line by the
// C runtime's rules take for a quote; bare, it holds nothing cmd.exe
// reads as syntax.
bool IsDriveRoot(const WCHAR *name) {
    return WideLength(name) == 3 && name[1] == ':' && name[2] == '\\';
}

// Writes a line for each chosen name, in order, all or nothing, and sets
// ExitStatus as FileStage says.
void WriteChosenNames(RunSettings *settings, const ChosenNames *chosen) {
    // Every name is checked before anything is written. Each one's texts
    // are taken back before the next, so a long list needs no more room
    // than its longest line.
    size_t count = 0;
    for (size_t place = 0;; count++) {
        size_t mark = PoolMark();
        const WCHAR *name = NextName(chosen, &place);
        if (name == nullptr) {
            break;
        }
        if (LineName(settings, name) == nullptr) {
            return;
        }
        TakeBackTo(mark);
    }
    settings->ExitStatus = count > 0 ? exitChosen : exitNoName;
    size_t place = 0;
    for (size_t i = 0; i < count; i++) {
        size_t mark = PoolMark();
        const WCHAR *chosenName = NextName(chosen, &place);
        const char *name = LineName(settings, chosenName);
        // Every line but the last ends in CR LF, also with /noCRLF.
        RunSettings form = *settings;
        if (i + 1 < count) {
            form.outputSwitches &= ~noCrlf;
        }
        if (IsDriveRoot(chosenName)) {
            form.outputSwitches &= ~quoteResult;
        }
        const char *line = name != nullptr ? ComposeResultLine(&form, name) : nullptr;
        if (line == nullptr || !WriteOut(line)) {
            settings->ExitStatus = exitNoName;
            return;
        }
        TakeBackTo(mark);
    }
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

void FileStage(RunSettings *settings) {
    bool open = settings->openOption != nullptr || settings->multiple;
    WCHAR *filterBlock = MakeFilterBlock(settings->FileTypes, settings->fileTypesSize);

    // The wide dialog shows the texts as the caller wrote them and hands
    // back the chosen name without loss; it goes out only when the line's
    // code page carries it exactly.
    OPENFILENAMEW request = {};
    request.lStructSize = requestRecordSize;
    request.hwndOwner = settings->OwnerWindow;
    request.lpstrFilter = filterBlock;
    request.nFilterIndex = 1;
    request.lpstrFile = MakeNameBuffer(settings->DefaultName, nameCharacters);
    request.nMaxFile = nameCharacters;
    request.lpstrInitialDir = StartFolder(settings->InitialFolder);
    request.lpstrTitle = Wide(settings->WindowTitle);
    request.Flags = settings->dialogFlags;
    // An empty default extension has the Save dialog add the selected
    // type's own extension to a name typed without one, and none for a type
    // that names no literal extension (*.*); without one it adds nothing.
    static const WCHAR noExtension[1] = {0};
    request.lpstrDefExt = settings->addExtension && !open ? noExtension : nullptr;
    if (open) {
        // Only existing files; an Open dialog asks nothing about replacing.
        request.Flags &= ~static_cast<DWORD>(OFN_OVERWRITEPROMPT);
        request.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
        request.Flags |= settings->multiple ? OFN_ALLOWMULTISELECT | OFN_EXPLORER : 0;
    }

    settings->ExitStatus = exitNoName;
    if (filterBlock == nullptr || request.lpstrFile == nullptr ||
        request.lpstrInitialDir == nullptr ||
        (settings->WindowTitle != nullptr && request.lpstrTitle == nullptr)) {
        return;
    }
    const char *dialog = open ? "The Open dialog " : "The Save dialog ";
    const char *none = "; no name was chosen.";
    if (!ReadyForDialog(settings, dialog, none)) {
        return;
    }
    bool chosenAny = ShowDialog(open ? "GetOpenFileNameW" : "GetSaveFileNameW", dialog,
                                settings->DefaultName, &request);
    if (EndedByTimeLimit(settings, chosenAny, none) || !chosenAny) {
        return;
    }
    // Several names come as the folder and then the names, the first one
    // where nFileOffset points, past the folder's NUL; a single one, also
    // from that dialog, as one full path.
    ChosenNames chosen = {request.lpstrFile, request.nMaxFile, 0};
    size_t folder = 0;
    while (folder < chosen.size && chosen.text[folder] != 0) {
        folder++;
    }
    if (settings->multiple && request.nFileOffset > folder) {
        chosen.firstName = folder + 1;
    }
    if (!EndsInside(&chosen)) {
        WriteError("The selection was too large to hand back; please choose fewer files.");
        return;
    }
    WriteChosenNames(settings, &chosen);
}

void FolderStage(RunSettings *settings) {
    settings->ExitStatus = exitNoName;
    const WCHAR *folder = StartFolder(settings->InitialFolder);
    const WCHAR *title = Wide(settings->WindowTitle);
    const char *none = "; no folder was chosen.";
    if (folder == nullptr || (settings->WindowTitle != nullptr && title == nullptr) ||
        !ReadyForDialog(settings, "The folder dialog ", none)) {
        return;
    }
    WCHAR *paths = nullptr;
    unsigned error = 0;
    FolderAnswer answer =
        AskForFolder(settings->OwnerWindow, folder, title, settings->multiple, &paths, &error);
    if (EndedByTimeLimit(settings, answer == folderChosen, none)) {
        return;
    }
    switch (answer) {
    case folderChosen:
        break;
    case folderWithoutPath:
        WriteError("A chosen folder has no path in the file system (such as a library or a "
                   "virtual folder); no folder was chosen.");
        return;
    case folderMissing:
        WriteError("The folder dialog could not be loaded from the system folder's ole32.dll "
                   "and shell32.dll; no folder was chosen.");
        return;
    case folderFailed:
        WriteError(
            JoinTexts(JoinTexts("The folder dialog failed with error 0x", NumberText(error, 16)),
                      "; no folder was chosen."));
        return;
    case folderCancelled:
        return;
    }
    // The list ends with an empty path, after the empty folder it starts
    // with; each path stands whole.
    size_t size = 1;
    while (paths[size] != 0) {
        size += WideLength(paths + size) + 1;
    }
    ChosenNames chosen = {paths, size + 1, 1};
    WriteChosenNames(settings, &chosen);
}
