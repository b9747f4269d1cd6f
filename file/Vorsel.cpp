#include <windows.h>

#include "Macro.h"
#include "Version.h"
#include "Vorsel.h"
#include "../support/Console.h"
#include "../support/Desktop.h"
#include "../support/PathText.h"
#include "../support/Scanner.h"
#include "../support/SystemLibrary.h"
#include "../support/Text.h"
#include "../support/WideText.h"

const char UsageText[] =
    "Vorsel " VORSEL_VERSION "/x64\r\n"
    "\r\n"
    "Syntax:\r\n"
    "    Tamvick \"CommandString\" \"PathAndFilters\" \"WindowTitle\" [\"DefaultName\"]       "
    "[Options]\r\n"
    "CommandString\r\n"
    "    will be prepended to the returnd file name(s)\r\n"
    "PathAndFilters \r\n"
    "    initial path with one or more file pattern(s), separated by semicolon.\r\n"
    "    or file types: \"C:\\Docs\\Text files (*.txt)|*.txt|All files (*.*)|*.*\"\r\n"
    "WindowTitle\r\n"
    "    whatever you want to show in the title bar \r\n"
    "DefaultName\r\n"
    "    to initialize the name input control (without path!)\r\n"
    "Options\r\n"
    "    /overwritePrompt /noCRLF /noQuote /utf8 /addExtension\r\n"
    "    /open /multiple /folder /timeout:N\r\n";

namespace {

constexpr unsigned longestTimeout = 86400; // a day, in seconds

// What follows start in text; null when text does not begin with it.
const char *After(const char *text, const char *start) {
    for (; *start != 0; text++, start++) {
        if (*text != *start) {
            return nullptr;
        }
    }
    return text;
}

// The whole seconds digits holds, 1 to a day; 0 for any other text.
unsigned Seconds(const char *digits) {
    unsigned seconds = 0;
    for (const char *c = digits; *c != 0; c++) {
        if (*c < '0' || *c > '9' || seconds > longestTimeout) {
            return 0;
        }
        seconds = seconds * 10 + static_cast<unsigned>(*c - '0');
    }
    return seconds <= longestTimeout ? seconds : 0;
}

// Applies the option to settings; false when it is no known option or it
// has a value out of its range. Options are ASCII and compared in lower
// case; a later /timeout takes the place of an earlier one.
bool ApplyOption(RunSettings *settings, const char *option) {
    char *lowered = CopyText(option, TextLength(option));
    if (lowered == nullptr) {
        return false;
    }
    for (char *c = lowered; *c != 0; c++) {
        if (*c >= 'A' && *c <= 'Z') {
            *c = static_cast<char>(*c - 'A' + 'a');
        }
    }
    if (SameText(lowered, "/noquote") || SameText(lowered, "/noquotes")) {
        settings->outputSwitches &= ~quoteResult;
    } else if (SameText(lowered, "/nocrlf")) {
        settings->outputSwitches |= noCrlf;
    } else if (SameText(lowered, "/overwriteprompt")) {
        settings->dialogFlags |= OFN_OVERWRITEPROMPT;
    } else if (SameText(lowered, "/utf8") || SameText(lowered, "/utf-8")) {
        settings->outputSwitches |= utf8Output;
    } else if (SameText(lowered, "/addextension")) {
        settings->addExtension = true;
    } else if (SameText(lowered, "/multiple")) {
        settings->multiple = true;
    } else if (SameText(lowered, "/open")) {
        settings->openOption = settings->openOption != nullptr ? settings->openOption : option;
    } else if (After(lowered, "/timeout:") != nullptr) {
        settings->timeoutSeconds = Seconds(After(lowered, "/timeout:"));
        return settings->timeoutSeconds != 0;
    } else if (SameText(lowered, "/folder")) {
        settings->folderOption =
            settings->folderOption != nullptr ? settings->folderOption : option;
    } else {
        return false;
    }
    return true;
}

// Sets where the line goes out: in UTF-8 when settings ask for it, and
// then every message too; else in the code page its reader reads.
void ChooseOutput(RunSettings *settings) {
    if ((settings->outputSwitches & utf8Output) != 0) {
        settings->ReaderCodePage = CP_UTF8;
        StreamsInUtf8();
    } else {
        settings->ReaderCodePage = ReaderCodePage();
    }
}

// Writes message and the parameter as typed, for a person to read, in the
// form the line would have had: UTF-8 when /utf8 stands anywhere among the
// parameters, also after this one; else the reader's code page, with '?'
// for what it lacks.
int Refuse(const RunSettings *settings, const char *message, const char *parameter) {
    RunSettings rest = *settings;
    for (const char *next = NextParameter(); next[0] != 0; next = NextParameter()) {
        if (next[0] == '/') {
            ApplyOption(&rest, next);
        }
    }
    ChooseOutput(&rest);
    const char *shown = ShownIn(rest.ReaderCodePage, parameter);
    WriteError(JoinTexts(message, shown != nullptr ? shown : parameter));
    return settings->ExitStatus;
}

} // namespace

const char *Uncarried(const char *what, const RunSettings *settings) {
    UINT codePage = settings->ReaderCodePage;
    const char *page = "this system's ANSI code page";
    if ((settings->outputSwitches & utf8Output) != 0) {
        page = "UTF-8";
    } else if (codePage != CP_ACP) {
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
    // The parameters are read in UTF-8, which holds every character but
    // half of a surrogate pair; one read as U+FFFD is not what was written.
    if (!CommandLineIsWhole()) {
        WriteError("A parameter holds half of a UTF-16 surrogate pair, which no other form of "
                   "text can carry, so Tamvick would read it changed.");
        return settings->ExitStatus;
    }

    const char *command = NextParameter();
    if (command[0] == 0 || SameText(command, "/?")) {
        WriteError(UsageText);
        return exitChosen;
    }
    const char *asTyped = NextParameter();
    const char *pathAndFilters = FullPath(asTyped);
    if (pathAndFilters[0] == 0) {
        pathAndFilters = "*.*";
    }
    settings->Patterns = FilePart(pathAndFilters);
    settings->InitialFolder = PathPart(pathAndFilters);

    settings->dialogFlags = OFN_HIDEREADONLY;
    settings->addExtension = false;
    settings->multiple = false;
    settings->openOption = nullptr;
    settings->folderOption = nullptr;
    settings->timeoutSeconds = 0;
    settings->outputSwitches = quoteResult;
    settings->WindowTitle = nullptr;
    settings->DefaultName = nullptr;
    settings->FileTypes = FileTypeList(settings->Patterns, &settings->fileTypesSize);
    if (settings->FileTypes == nullptr) {
        return Refuse(settings, "Invalid file types: ", asTyped);
    }

    for (;;) {
        const char *parameter = NextParameter();
        if (parameter[0] == 0) {
            break;
        }
        if (parameter[0] == '/') {
            if (!ApplyOption(settings, parameter)) {
                return Refuse(settings, "Invalid option: ", parameter);
            }
            // A folder is asked for on its own: named as typed, the earlier
            // one first (this parameter is the later one).
            if (settings->openOption != nullptr && settings->folderOption != nullptr) {
                const char *earlier = parameter == settings->folderOption ? settings->openOption
                                                                          : settings->folderOption;
                return Refuse(settings, "Invalid options: ",
                              JoinTexts(JoinTexts(earlier, " with "), parameter));
            }
        } else if (settings->WindowTitle == nullptr) {
            settings->WindowTitle = parameter;
        } else if (IsValidFileName(parameter)) {
            settings->DefaultName = parameter;
        } else {
            return Refuse(settings, "Invalid parameter: ", parameter);
        }
    }

    ChooseOutput(settings);
    // The command string goes out on the result line as the caller wrote
    // it, or the call is refused before any dialog.
    const WCHAR *wideCommand = WideFromUtf8(command, TextLength(command), 0);
    settings->CommandString =
        wideCommand != nullptr ? ExactlyIn(settings->ReaderCodePage, wideCommand) : nullptr;
    if (settings->CommandString == nullptr) {
        WriteError(JoinTexts(Uncarried("The CommandString", settings), "."));
        return settings->ExitStatus;
    }
    if (settings->folderOption != nullptr) {
        FolderStage(settings);
    } else {
        FileStage(settings);
    }
    return settings->ExitStatus;
}
