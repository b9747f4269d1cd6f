// A stand-in for the few Win32 declarations the tool uses, so its sources
// build natively for tests. Types keep their Win64 sizes: DWORD and UINT
// are 32-bit, handles are pointers. Never part of the executable.
#pragma once

#include <stdint.h>

typedef int BOOL;
typedef uint32_t DWORD;
typedef uint32_t UINT;
typedef uint16_t WORD;
typedef uint8_t BYTE;
typedef char CHAR;
typedef char16_t WCHAR;
typedef WCHAR *LPWSTR;
typedef const WCHAR *LPCWSTR;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef DWORD *LPDWORD;
typedef int32_t HRESULT;
typedef void VOID;
typedef void *LPVOID;
typedef const void *LPCVOID;
typedef void *HANDLE;
typedef HANDLE HINSTANCE;
typedef HANDLE HMODULE;
typedef struct StandInWindow *HWND;
typedef HANDLE HMENU;
typedef HANDLE HWINSTA;
typedef intptr_t LPARAM;
typedef uintptr_t UINT_PTR;
typedef struct StandInOverlapped *LPOVERLAPPED;

#define WINAPI
#define TRUE 1
#define CP_ACP 0
#define CP_UTF8 65001
#define WC_NO_BEST_FIT_CHARS 0x00000400
#define LOAD_WITH_ALTERED_SEARCH_PATH 0x00000008
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800

typedef intptr_t(WINAPI *FARPROC)(void);
#define STD_OUTPUT_HANDLE (static_cast<DWORD>(-11))
#define STD_ERROR_HANDLE (static_cast<DWORD>(-12))

#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_EXPLORER 0x00080000

#define UOI_FLAGS 1
#define WSF_VISIBLE 0x0001
#define GA_ROOTOWNER 3
#define CTRL_C_EVENT 0
#define CTRL_CLOSE_EVENT 2

#define STARTF_USESHOWWINDOW 0x00000001
#define SW_SHOWDEFAULT 10
#define WS_POPUP 0x80000000u
#define WS_EX_TOOLWINDOW 0x00000080
#define WS_EX_LAYERED 0x00080000

typedef struct _STARTUPINFOW { // only the fields the tool uses
    DWORD cb;
    DWORD dwFlags;
} STARTUPINFOW;

typedef struct tagUSEROBJECTFLAGS {
    BOOL fInherit;
    BOOL fReserved;
    DWORD dwFlags;
} USEROBJECTFLAGS;

typedef BOOL(WINAPI *PHANDLER_ROUTINE)(DWORD event);

typedef UINT_PTR (*LPOFNHOOKPROC)(HWND, UINT, UINT_PTR, LPARAM);

typedef struct tagOFNW {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCWSTR lpstrFilter;
    LPWSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPWSTR lpstrFile;
    DWORD nMaxFile;
    LPWSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCWSTR lpstrInitialDir;
    LPCWSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCWSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCWSTR lpTemplateName;
    void *pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
} OPENFILENAMEW;

LPWSTR WINAPI GetCommandLineW(void);
DWORD WINAPI GetFullPathNameW(LPCWSTR path, DWORD size, LPWSTR buffer, LPWSTR *filePart);
HWND WINAPI GetConsoleWindow(void);
HWND WINAPI GetAncestor(HWND window, UINT which);
BOOL WINAPI IsWindowVisible(HWND window);
BOOL WINAPI IsIconic(HWND window);
BOOL WINAPI EnableWindow(HWND window, BOOL enable);
void WINAPI GetStartupInfoW(STARTUPINFOW *startup);
HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID parameter);
BOOL WINAPI ShowWindow(HWND window, int show);
BOOL WINAPI DestroyWindow(HWND window);
HWINSTA WINAPI GetProcessWindowStation(void);
BOOL WINAPI GetUserObjectInformationW(HANDLE object, int index, void *information, DWORD size,
                                      LPDWORD needed);
DWORD WINAPI GetCurrentProcessId(void);
BOOL WINAPI ProcessIdToSessionId(DWORD process, DWORD *session);
BOOL WINAPI SetConsoleCtrlHandler(PHANDLER_ROUTINE handler, BOOL add);
[[noreturn]] void WINAPI ExitProcess(UINT exitValue);
HANDLE WINAPI GetCurrentProcess(void);
BOOL WINAPI TerminateProcess(HANDLE process, UINT exitValue);
UINT WINAPI GetConsoleOutputCP(void);
DWORD WINAPI GetConsoleProcessList(LPDWORD processes, DWORD count);
BOOL WINAPI GetConsoleMode(HANDLE console, LPDWORD mode);
UINT WINAPI GetACP(void);
int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide,
                               int wideLength);
int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int length, LPSTR text,
                               int textLength, LPCSTR defaultCharacter, BOOL *usedDefault);
UINT WINAPI GetSystemDirectoryW(LPWSTR buffer, UINT size);
HMODULE WINAPI GetModuleHandleA(LPCSTR name);
BOOL WINAPI SetDllDirectoryW(LPCWSTR folder);
HMODULE WINAPI LoadLibraryExW(LPCWSTR path, HANDLE file, DWORD flags);
FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name);
HANDLE WINAPI GetStdHandle(DWORD which);
BOOL WINAPI WriteConsoleA(HANDLE console, const VOID *bytes, DWORD count, LPDWORD written,
                          LPVOID reserved);
BOOL WINAPI WriteConsoleW(HANDLE console, const VOID *characters, DWORD count, LPDWORD written,
                          LPVOID reserved);
BOOL WINAPI WriteFile(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written,
                      LPOVERLAPPED overlapped);
