// A stand-in for the few Win32 declarations the tool uses, so its sources
// build natively for tests. Types keep their Win64 sizes: DWORD and UINT
// are 32-bit, handles are pointers. Never part of the executable.
#pragma once

#include <stdint.h>

typedef int BOOL;
typedef uint32_t DWORD;
typedef uint32_t UINT;
typedef uint16_t WORD;
typedef char CHAR;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef DWORD *LPDWORD;
typedef void VOID;
typedef void *LPVOID;
typedef const void *LPCVOID;
typedef void *HANDLE;
typedef HANDLE HINSTANCE;
typedef struct StandInWindow *HWND;
typedef intptr_t LPARAM;
typedef uintptr_t UINT_PTR;
typedef struct StandInOverlapped *LPOVERLAPPED;

#define WINAPI
#define STD_OUTPUT_HANDLE (static_cast<DWORD>(-11))
#define STD_ERROR_HANDLE (static_cast<DWORD>(-12))

#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004

typedef UINT_PTR (*LPOFNHOOKPROC)(HWND, UINT, UINT_PTR, LPARAM);

typedef struct tagOFNA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    void *pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
} OPENFILENAMEA;

LPSTR WINAPI GetCommandLineA(void);
DWORD WINAPI GetFullPathNameA(LPCSTR path, DWORD size, LPSTR buffer, LPSTR *filePart);
DWORD WINAPI GetConsoleTitleA(LPSTR title, DWORD size);
HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName);
LPSTR WINAPI CharLowerA(LPSTR text);
BOOL WINAPI GetSaveFileNameA(OPENFILENAMEA *request);
HANDLE WINAPI GetStdHandle(DWORD which);
BOOL WINAPI WriteConsoleA(HANDLE console, const VOID *bytes, DWORD count, LPDWORD written,
                          LPVOID reserved);
BOOL WINAPI WriteFile(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written,
                      LPOVERLAPPED overlapped);
