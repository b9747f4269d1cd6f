// The path text rules over any text, in a single-byte and a double-byte
// code page, with the properties they promise: the two parts never hold
// more than the text, a text without separators, bars and quotes is all
// file part, the folder part is where the text (past a leading quote)
// begins, and no part starts or ends inside a double-byte character.
#include <string.h>

#include <string>
#include <vector>

#include "StandIn.h"
#include "../file/Macro.h"
#include "../support/PathText.h"
#include "../support/Text.h"

namespace {

StandIn state;

bool Has(const std::string &text, const char *bytes) {
    return text.find_first_of(bytes) != std::string::npos;
}

// Where the characters of text begin, and its end.
std::vector<bool> Boundaries(const std::string &text) {
    std::vector<bool> boundary(text.size() + 1, false);
    for (size_t i = 0; i < text.size(); i++) {
        boundary[i] = true;
        if (IsDBCSLeadByte(static_cast<BYTE>(text[i])) != 0 && i + 1 < text.size()) {
            i++;
        }
    }
    boundary[text.size()] = true;
    return boundary;
}

// True when some character of text, from first on, is one of bytes.
bool CharacterIs(const std::string &text, const std::vector<bool> &boundary, size_t first,
                 size_t count, const char *bytes) {
    for (size_t i = first; i < first + count; i++) {
        if (boundary[i] && strchr(bytes, text[i]) != nullptr) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size) {
    std::string text(reinterpret_cast<const char *>(data), size);
    text = text.substr(0, text.find('\0'));
    standIn = &state;
    strcpy(state.currentDirectory, "C:\\work");
    state.pathKind = size > 0 && data[0] % 3 == 1 ? pathFail : pathJoin;
    state.codePage = size > 0 && data[0] % 2 == 1 ? codePageDouble : codePageSingle;
    EmptyPool();
    std::vector<bool> boundary = Boundaries(text);

    std::string folder = PathPart(text.c_str());
    std::string file = FilePart(text.c_str());
    if (folder.size() + file.size() > text.size()) {
        __builtin_trap();
    }
    if (!Has(text, "/\\|\"") && (!folder.empty() || file != text)) {
        __builtin_trap();
    }
    size_t start = !text.empty() && text[0] == '"' ? 1 : 0;
    if (text.compare(start, folder.size(), folder) != 0 || !boundary[start + folder.size()]) {
        __builtin_trap();
    }
    // The file part stands in the text whole characters long, and holds no
    // separator and no quote: it is past every separator and before any quote.
    bool found = false;
    for (size_t at = 0; at + file.size() <= text.size() && !found; at++) {
        found = boundary[at] && boundary[at + file.size()] &&
                text.compare(at, file.size(), file) == 0 &&
                !CharacterIs(text, boundary, at, file.size(), "/\\\"");
    }
    if (!found) {
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
