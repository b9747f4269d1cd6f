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

const char *FileTypeList(const char *patterns, size_t *size) {
    const char *text = patterns != nullptr ? patterns : "";
    size_t length = TextLength(text);
    *size = 0;
    bool typed = false;
    for (size_t i = 0; i < length; i++) {
        typed = typed || text[i] == '|';
    }
    if (!typed) {
        char *list = NewBuffer(2 * length + 2); // zero-filled, with one more NUL
        for (size_t i = 0; list != nullptr && i < length; i++) {
            list[i] = text[i];
            list[length + 1 + i] = text[i];
        }
        *size = list != nullptr ? 2 * length + 3 : 0;
        return list;
    }
    // Each bar ends a field, and so does the end of the text; the buffer's
    // zeros are the NULs.
    char *list = NewBuffer(length + 1);
    size_t fields = 0;
    size_t start = 0;
    for (size_t i = 0; list != nullptr && i <= length; i++) {
        if (i < length && text[i] != '|') {
            list[i] = text[i];
        } else if (i == start) {
            return nullptr;
        } else {
            fields++;
            start = i + 1;
        }
    }
    if (list == nullptr || fields % 2 != 0) {
        return nullptr;
    }
    *size = length + 2;
    return list;
}
