#include <windows.h>

#include "SystemLibrary.h"
#include "Text.h"
#include "WideText.h"

namespace {

typedef BOOL(WINAPI *DefaultDirectoriesCall)(DWORD directories);

bool searchRestricted; // DLLs and what they load come from the system folder only

} // namespace

void RestrictLibrarySearch(void) {
    // Looked up, not imported: the image must still load where it is missing.
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    FARPROC procedure =
        kernel != nullptr ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    // A procedure's address stands for a call of its real type.
    auto setDefault =
        reinterpret_cast<DefaultDirectoriesCall>(reinterpret_cast<void (*)(void)>(procedure));
    if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32) != 0) {
        searchRestricted = true;
        return;
    }
    static const WCHAR noFolder[1] = {0};
    SetDllDirectoryW(noFolder);
}

SystemCall SystemProcedure(const char *dll, const char *procedure) {
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
    // With the search restricted, what the DLL needs comes from the system
    // folder too; without it, from the DLL's own folder, which is the same.
    DWORD flags = searchRestricted ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
    HMODULE module = LoadLibraryExW(path, nullptr, flags);
    if (module == nullptr) {
        return nullptr;
    }
    // A procedure's address stands for a call of its real type.
    return reinterpret_cast<SystemCall>(GetProcAddress(module, procedure));
}
