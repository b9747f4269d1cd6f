#include <windows.h>

#include "SystemLibrary.h"
#include "Text.h"
#include "WideText.h"

FARPROC SystemProcedure(const char *dll, const char *procedure) {
    size_t nameLength = TextLength(dll);
    UINT folderLength = GetSystemDirectoryW(nullptr, 0);
    if (folderLength == 0) {
        return nullptr;
    }
    // The answer counts the NUL, which leaves room for the backslash.
    WCHAR *path = NewWideBuffer(folderLength + nameLength);
    if (path == nullptr) {
        return nullptr;
    }
    UINT written = GetSystemDirectoryW(path, folderLength);
    if (written == 0 || written >= folderLength) {
        return nullptr;
    }
    path[written] = '\\';
    for (size_t i = 0; i < nameLength; i++) {
        path[written + 1 + i] = static_cast<WCHAR>(static_cast<unsigned char>(dll[i]));
    }
    // With a full path, what the DLL needs is looked for in its own folder.
    HMODULE module = LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) {
        return nullptr;
    }
    return GetProcAddress(module, procedure);
}
