#include <windows.h>

#include "Macro.h"
#include "Vorsel.h"
#include "../support/Console.h"
#include "../support/PathText.h"
#include "../support/Scanner.h"
#include "../support/Text.h"

const char UsageText[] =
    "Vorsel 1.5/x64\r\n"
    "\r\n"
    "Syntax:\r\n"
    "    Tamvick \"CommandString\" \"PathAndFilters\" \"WindowTitle\" [\"DefaultName\"]       "
    "[Options]\r\n"
    "CommandString\r\n"
    "    will be prepended to the returnd file name(s)\r\n"
    "PathAndFilters \r\n"
    "    initial path with one or more file pattern(s), separated by semicolon.\r\n"
    "WindowTitle\r\n"
    "    whatever you want to show in the title bar \r\n"
    "DefaultName\r\n"
    "    to initialize the name input control (without path!)\r\n"
    "Options\r\n"
    "    /overwritePrompt /noCRLF /noQuote\r\n";

namespace {

constexpr DWORD titleBufferSize = 300;

// The console's window, found by the console's exact title; null when the
// console has no title or no window bears it.
HWND FindOwnerWindow(void) {
    char *title = NewBuffer(titleBufferSize);
    if (title == nullptr) {
        return nullptr;
    }
    for (DWORD i = 0; i < titleBufferSize; i++) {
        title[i] = ' ';
    }
    if (GetConsoleTitleA(title, titleBufferSize) == 0) {
        return nullptr;
    }
    return FindWindowA(nullptr, title);
}

// Applies the option to settings; false when it is no known option.
bool ApplyOption(RunSettings *settings, const char *option) {
    char *lowered = CopyText(option, TextLength(option));
    if (lowered == nullptr) {
        return false;
    }
    CharLowerA(lowered);
    if (SameText(lowered, "/noquote") || SameText(lowered, "/noquotes")) {
        settings->outputSwitches &= ~quoteResult;
    } else if (SameText(lowered, "/nocrlf")) {
        settings->outputSwitches |= noCrlf;
    } else if (SameText(lowered, "/overwriteprompt")) {
        settings->dialogFlags |= OFN_OVERWRITEPROMPT;
    } else {
        return false;
    }
    return true;
}

int Refuse(const RunSettings *settings, const char *message, const char *parameter) {
    WriteError(JoinTexts(message, parameter));
    return settings->ExitStatus;
}

} // namespace

int RunVorsel(RunSettings *settings) {
    OpenConsoleStreams();
    settings->ExitStatus = exitRefused;
    settings->OwnerWindow = FindOwnerWindow();

    settings->CommandString = NextParameter();
    if (settings->CommandString[0] == 0 || SameText(settings->CommandString, "/?")) {
        WriteError(UsageText);
        return exitChosen;
    }

    const char *pathAndFilters = FullPath(NextParameter());
    if (pathAndFilters[0] == 0) {
        pathAndFilters = "*.*";
    }
    settings->Patterns = FilePart(pathAndFilters);
    settings->InitialFolder = PathPart(pathAndFilters);

    settings->dialogFlags = OFN_HIDEREADONLY;
    settings->outputSwitches = quoteResult;
    settings->WindowTitle = nullptr;
    settings->DefaultName = nullptr;

    for (;;) {
        const char *parameter = NextParameter();
        if (parameter[0] == 0) {
            break;
        }
        if (parameter[0] == '/') {
            if (!ApplyOption(settings, parameter)) {
                return Refuse(settings, "Invalid option: ", parameter);
            }
        } else if (settings->WindowTitle == nullptr) {
            settings->WindowTitle = parameter;
        } else if (IsValidFileName(parameter)) {
            settings->DefaultName = parameter;
        } else {
            return Refuse(settings, "Invalid parameter: ", parameter);
        }
    }

    SaveStage(settings);
    return settings->ExitStatus;
}
