#include "Text.h"

namespace {

constexpr size_t poolSize = size_t{8} << 20;
alignas(16) char pool[poolSize];
size_t poolUsed;

} // namespace

size_t TextLength(const char *text) {
    size_t length = 0;
    if (text != nullptr) {
        while (text[length] != 0) {
            length++;
        }
    }
    return length;
}

char *NewBuffer(size_t size) {
    size_t rounded = (size + 16) & ~size_t{15};
    if (rounded < size || rounded > poolSize - poolUsed) {
        return nullptr;
    }
    char *buffer = pool + poolUsed;
    poolUsed += rounded;
    // Zeroed here, not trusted to be: a dialog that writes past the buffer
    // it was given leaves its bytes in the room beyond.
    for (size_t i = 0; i < rounded; i++) {
        buffer[i] = 0;
    }
    return buffer;
}

char *CopyText(const char *from, size_t length) {
    char *copy = NewBuffer(length);
    if (copy != nullptr) {
        for (size_t i = 0; i < length; i++) {
            copy[i] = from[i];
        }
        copy[length] = 0;
    }
    return copy;
}

char *JoinTexts(const char *first, const char *second) {
    size_t firstLength = TextLength(first);
    size_t secondLength = TextLength(second);
    char *joined = NewBuffer(firstLength + secondLength);
    if (joined != nullptr) {
        for (size_t i = 0; i < firstLength; i++) {
            joined[i] = first[i];
        }
        for (size_t i = 0; i < secondLength; i++) {
            joined[firstLength + i] = second[i];
        }
        joined[firstLength + secondLength] = 0;
    }
    return joined;
}

const char *NumberText(unsigned value, unsigned base) {
    char digits[16];
    size_t count = 0;
    do {
        digits[count++] = "0123456789ABCDEF"[value % base];
        value /= base;
    } while (value != 0 && count < sizeof digits);
    char *text = NewBuffer(count);
    if (text != nullptr) {
        for (size_t i = 0; i < count; i++) {
            text[i] = digits[count - 1 - i];
        }
        text[count] = 0;
    }
    return text;
}

bool SameText(const char *a, const char *b) {
    const char *left = a != nullptr ? a : "";
    const char *right = b != nullptr ? b : "";
    size_t i = 0;
    while (left[i] != 0 && left[i] == right[i]) {
        i++;
    }
    return left[i] == right[i];
}

size_t PoolMark(void) {
    return poolUsed;
}

void TakeBackTo(size_t mark) {
    poolUsed = mark < poolUsed ? mark : poolUsed;
}

void EmptyPool(void) {
    TakeBackTo(0);
}
