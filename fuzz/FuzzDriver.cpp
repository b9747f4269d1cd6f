// The whole reading of a command line, through the stand-in, with the
// dialog answering an arbitrary name: input is the command line, a NUL, and
// the name the dialog confirms (names split by '|' with /multiple), both as
// UTF-8 (none: the dialog is cancelled). Whatever comes in, the run ends
// with 0, 1 or 255 and writes what that value says; a confirmed name
// reaches standard output exactly, in code page 1252 or in UTF-8 with
// /utf8, or not at all, and only the dialog path loads the dialog's library.
#include <string.h>

#include <string>

#include "StandIn.h"
#include "../file/Vorsel.h"
#include "../support/Scanner.h"
#include "../support/Text.h"
#include "../support/WideText.h"

namespace {

StandIn state;

const std::string uncarried = "The chosen name has characters that this system's ANSI code page "
                              "cannot carry; please choose another name.\n";
const std::string uncarriedUtf8 =
    "The chosen name has characters that UTF-8 cannot carry; please choose another name.\n";
const std::string control = "The chosen name holds a control character (such as a line break), "
                            "which would split the line; please choose another name.\n";

bool StartsWith(const std::string &text, const char *start) {
    return text.compare(0, strlen(start), start) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size) {
    std::string input(reinterpret_cast<const char *>(data), size);
    size_t split = input.find('\0');
    std::string line = input.substr(0, split);
    std::string answer = split == std::string::npos ? "" : input.substr(split + 1);
    answer = answer.substr(0, answer.find('\0'));
    if (line.size() >= standInTextSize || answer.size() >= standInTextSize) {
        return 0;
    }
    memcpy(state.commandLine, line.c_str(), line.size() + 1);
    memcpy(state.dialogAnswer, answer.c_str(), answer.size() + 1);
    strcpy(state.currentDirectory, "C:\\work");
    state.dialogConfirms = !answer.empty();
    state.outputKind = size % 2 == 0 ? streamFile : streamConsole;
    state.errorKind = streamFile;
    state.outputLength = state.errorLength = 0;
    state.outputWrites = state.dialogCalls = state.fullPathCalls = state.libraryLoads = 0;
    state.libraryCalls[0] = 0;
    state.dialogError = 0;
    standIn = &state;
    RestartScanner();
    EmptyPool();

    RunSettings settings = {};
    int exitValue = RunVorsel(&settings);
    std::string out(state.output, state.outputLength);
    std::string err(state.error, state.errorLength);
    // The chosen name as the line's code page writes it, when it can.
    bool utf8 = (settings.outputSwitches & utf8Output) != 0;
    const WCHAR *name = state.dialogCalls >= 1 ? state.request.lpstrFile : nullptr;
    int length = 0;
    bool carried = !utf8 || !HasLoneSurrogate(name);
    bool controlled = false; // holds a control character
    for (; state.dialogConfirms && name != nullptr && name[length] != 0; length++) {
        carried = carried && (utf8 || name[length] < 0x100);
        controlled = controlled || name[length] < 0x20;
    }
    static char bytes[4 * standInTextSize];
    int made = length == 0 ? 0
                           : WideCharToMultiByte(utf8 ? CP_UTF8 : CP_ACP, 0, name, length, bytes,
                                                 sizeof bytes, nullptr, nullptr);
    std::string chosen(bytes, made > 0 ? static_cast<size_t>(made) : 0);
    bool ok = false;
    switch (exitValue) {
    case 0:
        ok = state.dialogCalls == 0
                 ? out.empty() && err == std::string(UsageText) + "\n" && state.libraryLoads == 0
                 : state.dialogConfirms && carried && !controlled && err.empty() &&
                       (state.outputWrites == 1 || settings.multiple) &&
                       StartsWith(out, settings.CommandString) &&
                       out.find(chosen) != std::string::npos;
        break;
    case 1:
        // with /multiple any of the names may be the one refused, and named;
        // a list with no name in it is none chosen
        ok = state.dialogCalls >= 1 && out.empty() &&
             (!state.dialogConfirms ? err.empty()
              : settings.multiple   ? StartsWith(err, "The chosen name \"") || err.empty()
              : controlled          ? err == control
                                    : !carried && err == (utf8 ? uncarriedUtf8 : uncarried));
        break;
    case 255:
        ok = state.dialogCalls == 0 && state.libraryLoads == 0 && out.empty() && !err.empty() &&
             err.back() == '\n' &&
             (StartsWith(err, "Invalid option: /") || StartsWith(err, "Invalid parameter: ") ||
              StartsWith(err, "Invalid options: /") || StartsWith(err, "Invalid file types: ") ||
              StartsWith(err, "The CommandString has characters that this system's ANSI") ||
              StartsWith(err, "A parameter holds half of a UTF-16 surrogate pair"));
        break;
    default:
        break;
    }
    if (!ok) {
        __builtin_trap();
    }
    if (state.dialogCalls >= 1 && settings.folderOption == nullptr &&
        (state.request.lStructSize != 136 || state.request.nMaxFile < 20480 ||
         state.request.lpstrInitialDir == nullptr)) {
        __builtin_trap();
    }
    return 0;
}
