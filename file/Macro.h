// Full-path resolution of the second parameter.
#pragma once

// The full form of the UTF-8 path, resolved against the current directory
// by the wide call, so that every character survives; path itself when it
// is empty or the platform cannot resolve it. A full form longer than the
// first 260-character buffer is asked for again with a buffer of the size
// the platform names.
const char *FullPath(const char *path);
