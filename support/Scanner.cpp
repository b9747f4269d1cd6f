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
        size_t begin = scanPlace;
        size_t end = scanPlace;
        if (line[scanPlace] == '"') {
            begin = ++scanPlace;
            while (line[scanPlace] != 0 && line[scanPlace] != '"') {
                scanPlace++;
            }
            end = scanPlace;
            if (line[scanPlace] == '"') {
                scanPlace++;
            }
        } else if (line[scanPlace] == 0) {
            break; // the line ended in blanks: no token
        } else {
            while (line[scanPlace] != 0 && line[scanPlace] != ' ') {
                scanPlace++;
            }
            end = scanPlace;
            if (line[scanPlace] == ' ') {
                scanPlace++;
            }
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
