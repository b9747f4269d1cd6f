// The few memory routines a compiler may call on its own for block copies
// and zeroing. The executable links no C runtime, so it brings its own.
#include <stddef.h>

extern "C" void *memset(void *destination, int value, size_t count);
extern "C" void *memcpy(void *destination, const void *source, size_t count);

extern "C" void *memset(void *destination, int value, size_t count) {
    volatile unsigned char *bytes = static_cast<unsigned char *>(destination);
    for (size_t i = 0; i < count; i++) {
        bytes[i] = static_cast<unsigned char>(value);
    }
    return destination;
}

extern "C" void *memcpy(void *destination, const void *source, size_t count) {
    volatile unsigned char *to = static_cast<unsigned char *>(destination);
    const unsigned char *from = static_cast<const unsigned char *>(source);
    for (size_t i = 0; i < count; i++) {
        to[i] = from[i];
    }
    return destination;
}
