#include <windows.h>

#include "Scanner.h"
#include "Text.h"
#include "WideText.h"

namespace {

const char *commandLine;
size_t scanPlace;
int tokenNumber = -1; // the program path is token -1
int parameterCursor;  // parameters handed out so far

// What follows the program path, the first token, as NextParameter splits
// it: the rest of the line after the path's closing quote, or after the
// one blank that ends it.
const WCHAR *PastProgramPath(const WCHAR *line) {
    while (*line == ' ') {
        line++;
    }
    WCHAR close = ' ';
    if (*line == '"') {
        close = '"';
        line++;
    }
    while (*line != 0 && *line != close) {
        line++;
    }
    return *line == close ? line + 1 : line;
}

} // namespace

bool CommandLineIsWhole(void) {
    const WCHAR *line = GetCommandLineW();
    return line == nullptr || !HasLoneSurrogate(PastProgramPath(line));
}

const char *NextParameter(void) {
    if (commandLine == nullptr) {
        // The whole line is converted once; its blanks and quotes stay
        // where they were, as single bytes.
        commandLine = Utf8FromWide(GetCommandLineW());
        if (commandLine == nullptr) {
            commandLine = "";
        }
    }
    const char *line = commandLine;
    while (line[scanPlace] != 0) {
        while (line[scanPlace] == ' ') {
            scanPlace++;
        }
        if (line[scanPlace] == 0) {
            break; // the line ended in blanks: no token
        }
        // A quoted token runs to the closing quote, any other to the next
        // blank; the place moves past that quote or blank.
        char close = ' ';
        if (line[scanPlace] == '"') {
            close = '"';
            scanPlace++;
        }
        size_t begin = scanPlace;
        while (line[scanPlace] != 0 && line[scanPlace] != close) {
            scanPlace++;
        }
        size_t end = scanPlace;
        if (line[scanPlace] == close) {
            scanPlace++;
        }
        bool wanted = tokenNumber == parameterCursor;
        tokenNumber++;
        if (wanted) {
            parameterCursor++;
            char *parameter = CopyText(line + begin, end - begin);
            return parameter != nullptr ? parameter : "";
        }
    }
    return "";
}

void RestartScanner(void) {
    commandLine = nullptr;
    scanPlace = 0;
    tokenNumber = -1;
    parameterCursor = 0;
}
