#include <windows.h>

#include "Scanner.h"
#include "Text.h"

namespace {

const char *commandLine;
size_t scanPlace;
int tokenNumber = -1; // the program path is token -1
int parameterCursor;  // parameters handed out so far

} // namespace

const char *NextParameter(void) {
    if (commandLine == nullptr) {
        commandLine = GetCommandLineA();
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
