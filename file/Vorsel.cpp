#include <windows.h>

#include "Macro.h"
#include "Vorsel.h"
#include "../support/Console.h"
#include "../support/Desktop.h"
#include "../support/PathText.h"
#include "../support/Scanner.h"
#include "../support/SystemLibrary.h"
#include "../support/Text.h"
#include "../support/WideText.h"

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

// Writes message and the parameter, shown as typed: in the reader's code
// page where it carries the parameter, as its ANSI bytes where not.
int Refuse(const RunSettings *settings, const char *message, const char *parameter) {
    const char *shown = AnsiIn(settings->ReaderCodePage, parameter);
    WriteError(JoinTexts(message, shown != nullptr ? shown : parameter));
    return settings->ExitStatus;
}

} // namespace

const char *Uncarried(const char *what, UINT codePage) {
    const char *page = "this system's ANSI code page";
    if (codePage != CP_ACP) {
        page = JoinTexts(JoinTexts("this console's code page (", NumberText(codePage, 10)), ")");
    }
    return JoinTexts(JoinTexts(what, " has characters that "), JoinTexts(page, " cannot carry"));
}

int RunVorsel(RunSettings *settings) {
    RestrictLibrarySearch();
    OpenConsoleStreams();
    settings->OwnerWindow = ConsoleOwnerWindow();
    EndOnControlEvents(settings->OwnerWindow);
    settings->ExitStatus = exitRefused;
    // The parameters are read in the ANSI code page; where the system had
    // to replace a character to get there, nothing read would be what the
    // caller wrote.
    if (!CommandLineIsExact()) {
        WriteError(JoinTexts(Uncarried("The command line", CP_ACP),
                             ", so Tamvick would read it changed."));
        return settings->ExitStatus;
    }

    const char *command = NextParameter();
    if (command[0] == 0 || SameText(command, "/?")) {
        WriteError(UsageText);
        return exitChosen;
    }
    settings->ReaderCodePage = ReaderCodePage();
    // The command string goes out on the result line as the caller wrote
    // it, or the call is refused before any dialog.
    settings->CommandString = AnsiIn(settings->ReaderCodePage, command);
    if (settings->CommandString == nullptr) {
        WriteError(JoinTexts(Uncarried("The CommandString", settings->ReaderCodePage), "."));
        return settings->ExitStatus;
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
