#include <windows.h>

#include "PathText.h"
#include "Text.h"

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

// The bytes of the character at text: two for a lead byte of a double-byte
// ANSI code page with a byte after it, so that its second byte is never
// taken for a separator, a bar or a quote; one otherwise.
size_t CharacterSize(const char *text) {
    bool lead = IsDBCSLeadByte(static_cast<BYTE>(text[0])) != 0;
    return lead && text[1] != 0 ? 2 : 1;
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
    for (size_t i = 0; path[i] != 0 && path[i] != '|'; i += CharacterSize(path + i)) {
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
    for (size_t i = 0; path[i] != 0; i += CharacterSize(path + i)) {
        if (IsSeparator(path[i])) {
            start = i + 1;
        }
    }
    size_t end = start;
    while (path[end] != 0 && path[end] != '"') {
        end += CharacterSize(path + end);
    }
    return Slice(path, start, end);
}

bool IsValidFileName(const char *text) {
    if (text == nullptr || text[0] == 0) {
        return false;
    }
    for (size_t i = 0; text[i] != 0; i += CharacterSize(text + i)) {
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
