// The whole reading of a command line, through the stand-in, with the
// dialog answering an arbitrary name: input is the command line, a NUL, and
// the name the dialog confirms (names split by '|' with /multiple, a
// folder's starting with "::" a virtual one), both as UTF-8 (none: the
// dialog is cancelled, or, for a length divisible by 3, waits for an
// answer). Whatever comes in, the run ends with 0, 1, 5 (a time limit, only
// on an unanswered dialog) or 255 and writes what that value says; each
// confirmed name (with /multiple, joined to the folder unless it is a full
// path) reaches standard output exactly and in order, in code page 1252 or
// in UTF-8 with /utf8, or none does, and only the dialog path loads the
// dialog's library.
#include <string.h>

#include <string>
#include <vector>

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
    state.nobodyAnswers = answer.empty() && size % 3 == 0;
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
    // Each name a line holds, as the tool makes it: the one text the dialog
    // handed back, or with /multiple or /folder each name after the folder
    // (a folder's list has an empty one), a full path as it is and any other
    // joined to the folder with one separator.
    bool utf8 = (settings.outputSwitches & utf8Output) != 0;
    bool folders = settings.folderOption != nullptr;
    const WCHAR *text = state.dialogCalls >= 1 ? state.request.lpstrFile : nullptr;
    std::vector<std::u16string> names;
    bool virtualFolder = false;
    if (state.dialogConfirms && text != nullptr) {
        std::u16string folder(text);
        size_t at = folder.size() + 1;
        bool list = (settings.multiple || folders) && state.request.nFileOffset > folder.size();
        while (list && text[at] != 0) {
            std::u16string name(text + at);
            at += name.size() + 1;
            bool full = (name.size() >= 3 && name[1] == ':' && name[2] == '\\' &&
                         (name[0] | 0x20) >= 'a' && (name[0] | 0x20) <= 'z') ||
                        name.compare(0, 2, u"\\\\") == 0;
            bool gap = !folder.empty() && folder.back() != '\\';
            names.push_back(full ? name : folder + (gap ? u"\\" : u"") + name);
            virtualFolder = virtualFolder || (folders && name.compare(0, 2, u"::") == 0);
        }
        if (!list) {
            names.push_back(folder);
        }
    }
    // Whether the line's code page carries every name, whether one holds a
    // control character, and where each one stands in the output, in order.
    bool carried = true;
    bool controlled = false;
    size_t found = 0;
    for (const std::u16string &name : names) {
        carried = carried && (!utf8 || !HasLoneSurrogate(name.c_str()));
        for (char16_t c : name) {
            carried = carried && (utf8 || c < 0x100);
            controlled = controlled || c < 0x20;
        }
        static char bytes[4 * standInTextSize];
        int made = WideCharToMultiByte(utf8 ? CP_UTF8 : CP_ACP, 0, name.c_str(),
                                       static_cast<int>(name.size()), bytes, sizeof bytes, nullptr,
                                       nullptr);
        std::string chosen(bytes, made > 0 ? static_cast<size_t>(made) : 0);
        found = out.find(chosen, found); // past the end, once one is missing
        found = found == std::string::npos ? found : found + chosen.size();
    }
    unsigned seconds = settings.timeoutSeconds;
    std::string late = "No answer came within " + std::to_string(seconds) +
                       (seconds == 1 ? " second; no " : " seconds; no ") +
                       (folders ? "folder" : "name") + " was chosen.\n";
    bool ok = false;
    switch (exitValue) {
    case 0:
        ok = state.dialogCalls == 0
                 ? out.empty() && err == std::string(UsageText) + "\n" && state.libraryLoads == 0
                 : !names.empty() && carried && !controlled && !virtualFolder && err.empty() &&
                       static_cast<size_t>(state.outputWrites) == names.size() &&
                       StartsWith(out, settings.CommandString) && found != std::string::npos;
        break;
    case 1:
        // with /multiple any of the names may be the one refused, and named;
        // a list with no name in it is none chosen
        ok =
            state.dialogCalls >= 1 && out.empty() && (!state.nobodyAnswers || seconds == 0) &&
            (virtualFolder       ? StartsWith(err, "A chosen folder has no path in the file system")
             : names.empty()     ? err.empty()
             : settings.multiple ? (!carried || controlled) && StartsWith(err, "The chosen name \"")
             : controlled        ? err == control
                                 : !carried && err == (utf8 ? uncarriedUtf8 : uncarried));
        break;
    case exitTimedOut:
        ok = state.dialogCalls >= 1 && state.nobodyAnswers && seconds >= 1 && seconds <= 86400 &&
             out.empty() && err == late;
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
