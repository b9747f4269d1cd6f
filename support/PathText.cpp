#include "PathText.h"
#include "Text.h"

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

size_t SkipLeadingQuote(const char *path) {
    return path[0] == '"' ? 1 : 0;
}

const char *Slice(const char *path, size_t begin, size_t end) {
    char *slice = CopyText(path + begin, end - begin);
    return slice != nullptr ? slice : "";
}

} // namespace

const char *PathPart(const char *path) {
    if (path == nullptr) {
        return "";
    }
    size_t start = SkipLeadingQuote(path);
    size_t endMark = start;
    for (size_t i = 0; path[i] != 0 && path[i] != '|'; i++) {
        if (IsSeparator(path[i])) {
            endMark = i + 1;
        }
    }
    return Slice(path, start, endMark);
}

const char *FilePart(const char *path) {
    if (path == nullptr) {
        return "";
    }
    size_t start = SkipLeadingQuote(path);
    for (size_t i = 0; path[i] != 0; i++) {
        if (IsSeparator(path[i])) {
            start = i + 1;
        }
    }
    size_t end = start;
    while (path[end] != 0 && path[end] != '"') {
        end++;
    }
    return Slice(path, start, end);
}

bool IsValidFileName(const char *text) {
    if (text == nullptr || text[0] == 0) {
        return false;
    }
    for (size_t i = 0; text[i] != 0; i++) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x20) {
            return false;
        }
        switch (c) {
        case '"':
        case '*':
        case '/':
        case ':':
        case '<':
        case '>':
        case '?':
        case '\\':
        case '|':
            return false;
        default:
            break;
        }
    }
    return true;
}
