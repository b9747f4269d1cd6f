// The scanner over any command line, checked against the plain reading of
// the rules: every call scans again from the first byte and skips the
// tokens already handed out. Both must hand out the same parameters. The
// input is the line in UTF-8, malformed bytes and all; both read it as the
// system holds it, where those bytes are U+FFFD.
#include <string.h>

#include <string>
#include <vector>

#include "StandIn.h"
#include "../support/Scanner.h"
#include "../support/Text.h"
#include "../support/WideText.h"

namespace {

StandIn state;

// The parameter with number cursor, scanning the whole line from its start;
// *found tells whether there was one (else the cursor stays).
std::string Rescan(const char *line, int cursor, bool *found) {
    size_t at = 0;
    int number = -1;
    *found = false;
    while (line[at] != 0) {
        while (line[at] == ' ') {
            at++;
        }
        size_t begin = at;
        size_t end = at;
        if (line[at] == '"') {
            begin = ++at;
            while (line[at] != 0 && line[at] != '"') {
                at++;
            }
            end = at;
            if (line[at] == '"') {
                at++;
            }
        } else if (line[at] == 0) {
            return "";
        } else {
            while (line[at] != 0 && line[at] != ' ') {
                at++;
            }
            end = at;
            if (line[at] == ' ') {
                at++;
            }
        }
        if (number == cursor) {
            *found = true;
            return std::string(line + begin, end - begin);
        }
        number++;
    }
    return "";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size) {
    size = size < standInTextSize - 1 ? size : standInTextSize - 1;
    memcpy(state.commandLine, data, size);
    state.commandLine[size] = 0;
    standIn = &state;
    RestartScanner();
    EmptyPool();
    const char *line = Utf8FromWide(GetCommandLineW());
    if (line == nullptr) {
        __builtin_trap();
    }

    size_t length = strlen(line);
    int cursor = 0;
    size_t handedOut = 0;
    // every parameter takes at least one byte, so length + 2 calls pass the end
    for (size_t call = 0; call < length + 2; call++) {
        bool found = false;
        std::string expected = Rescan(line, cursor, &found);
        const char *got = NextParameter();
        if (got == nullptr || expected != got) {
            __builtin_trap();
        }
        if (found) {
            cursor++;
            handedOut += expected.size();
        }
    }
    bool more = false;
    Rescan(line, cursor, &more);
    if (more || handedOut > length) {
        __builtin_trap(); // the list did not end, or parameters hold more than the line
    }
    return 0;
}
