// The path text rules over any text, with the properties they promise: the
// two parts never hold more than the text, a text without separators, bars
// and quotes is all file part, the folder part is where the text (past a
// leading quote) begins, and the file part stands in the text with no
// separator or quote in it.
#include <string.h>

#include <string>

#include "StandIn.h"
#include "../file/Macro.h"
#include "../support/PathText.h"
#include "../support/Text.h"

namespace {

StandIn state;

bool Has(const std::string &text, const char *bytes) {
    return text.find_first_of(bytes) != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size) {
    std::string text(reinterpret_cast<const char *>(data), size);
    text = text.substr(0, text.find('\0'));
    standIn = &state;
    strcpy(state.currentDirectory, "C:\\work");
    state.pathKind = size > 0 && data[0] % 3 == 1 ? pathFail : pathJoin;
    EmptyPool();

    std::string folder = PathPart(text.c_str());
    std::string file = FilePart(text.c_str());
    if (folder.size() + file.size() > text.size()) {
        __builtin_trap();
    }
    if (!Has(text, "/\\|\"") && (!folder.empty() || file != text)) {
        __builtin_trap();
    }
    size_t start = !text.empty() && text[0] == '"' ? 1 : 0;
    if (text.compare(start, folder.size(), folder) != 0) {
        __builtin_trap();
    }
    if (text.find(file) == std::string::npos || Has(file, "/\\\"")) {
        __builtin_trap();
    }

    state.fullPathCalls = 0;
    const char *full = FullPath(text.c_str());
    if (full == nullptr || (text.empty() && (state.fullPathCalls != 0 || *full != 0))) {
        __builtin_trap();
    }
    if (strchr(full, ' ') != nullptr && !Has(text, " ") && !Has(state.currentDirectory, " ")) {
        __builtin_trap(); // blanks of the resolution buffer handed on as a path
    }
    return 0;
}
