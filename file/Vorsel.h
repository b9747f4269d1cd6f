// The tool: reads its command line, asks for a file name through the Save
// or Open dialog, for several files, or for a folder, and writes the result
// line (a line for each file) for the calling script.
#pragma once

#include <stddef.h>
#include <windows.h>
#include <commdlg.h>

// Exit values.
constexpr int exitChosen = 0;    // a name was chosen (also after the help text)
constexpr int exitNoName = 1;    // the dialog ended without a name
constexpr int exitTimedOut = 5;  // no answer came within the time limit
constexpr int exitRefused = 255; // an invalid option or parameter

// Output switches.
constexpr unsigned quoteResult = 1; // put the chosen name in double quotes
constexpr unsigned noCrlf = 2;      // write no CR LF after the line
constexpr unsigned utf8Output = 4;  // write the line and every message in UTF-8

// Everything one run gathers. Texts come from the process pool; an absent
// WindowTitle or DefaultName is null and never empty when present. Texts
// are UTF-8, but for CommandString, which only goes on the result line and
// so is in ReaderCodePage.
struct RunSettings {
    const char *CommandString;
    const char *InitialFolder;
    const char *Patterns;  // the file part: a pattern list, or file types
    const char *FileTypes; // the dialog's filter list, read from Patterns
    size_t fileTypesSize;  // its length, its NULs counted
    const char *WindowTitle;
    const char *DefaultName;
    unsigned outputSwitches;
    DWORD dialogFlags;
    bool addExtension;        // the Save dialog adds the selected type's extension
    bool multiple;            // several files (the Open dialog) or folders, a line each
    const char *openOption;   // the first /open as typed; null: Save, or Open for multiple
    const char *folderOption; // the first /folder as typed; null: no folder asked for
    unsigned timeoutSeconds;  // how long the dialog waits for an answer; 0: for ever
    HWND OwnerWindow;         // the console's own window, or null (see ConsoleOwnerWindow)
    UINT ReaderCodePage;      // CP_UTF8 with utf8Output, else as ReaderCodePage answers
    int ExitStatus;
};

// The help text, shown for no parameters, an empty first one, or "/?".
extern const char UsageText[];

// "<what> has characters that" and what cannot carry them, the output
// settings asked for: "UTF-8", "this system's ANSI code page" for CP_ACP,
// or "this console's code page (N)"; null when out of pool.
const char *Uncarried(const char *what, const RunSettings *settings);

// The main sequence: reads the parameters into settings, answers help or a
// refusal on standard error, runs the file or folder stage, and returns the
// value the process ends with. Runs once per process. A console control
// event ends the process at any point with exitInterrupted.
int RunVorsel(RunSettings *settings);

// The file stage: shows the Save dialog for settings, or the Open dialog
// with openOption or multiple, sets ExitStatus to 1, and on confirmed names
// writes a line for each, in order, and sets ExitStatus to 0 (back to 1
// when a line could not be written whole). All or nothing: when
// ReaderCodePage cannot carry a name exactly, or a name holds a control
// character, nothing is written, a message saying so (naming the name with
// /multiple) goes to standard error instead, and ExitStatus stays 1. So
// does a message when no one could see the dialog, which is then not
// shown, and when it fails or cannot be loaded; a plain cancel says
// nothing. With noCrlf only the last line lacks its CR LF. With
// timeoutSeconds, a dialog still unanswered then is closed, with a message
// saying so, and ExitStatus 5.
void FileStage(RunSettings *settings);

// The folder stage: as the file stage, for a folder, or with multiple for
// one or more, with the folder picker opened in InitialFolder (the file
// part is not used). A drive's root goes out unquoted, so that the line
// does not end in \".
void FolderStage(RunSettings *settings);

// The result line for chosenName: CommandString, a blank unless it ends in
// '=', the name (quoted unless asked otherwise), and CR LF unless asked
// otherwise. Null when out of pool.
const char *ComposeResultLine(const RunSettings *settings, const char *chosenName);
