/* Starts a program with an exact command line and passes the standard
 * handles on, since Wine rewrites the command line of what it starts.
 *
 *   launch.exe PROGRAM FILE          the command line is FILE's bytes, as they are
 *   launch.exe PROGRAM FILE hidden   the same, on a desktop of a new window station,
 *                                    which no one can see, as a service's
 *   launch.exe PROGRAM FILE show N   the same, with STARTF_USESHOWWINDOW and show state N
 *
 * Ends with the program's exit value, or 250, with a message on stderr, when
 * it could not start it or could not learn how it ended. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

int main(int argc, char **argv) {
    if (argc != 3 && !(argc == 4 && strcmp(argv[3], "hidden") == 0) &&
        !(argc == 5 && strcmp(argv[3], "show") == 0)) {
        fputs("usage: launch PROGRAM COMMAND-LINE-FILE [hidden | show N]\n", stderr);
        return 250;
    }
    FILE *file = fopen(argv[2], "rb");
    if (file == NULL) {
        perror(argv[2]);
        return 250;
    }
    static char line[1 << 17];
    size_t length = fread(line, 1, sizeof line - 1, file);
    fclose(file);
    line[length] = 0;

    STARTUPINFOA startup = {0};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    if (argc == 5) {
        startup.dwFlags |= STARTF_USESHOWWINDOW;
        startup.wShowWindow = (WORD)atoi(argv[4]);
    }
    if (argc == 4) {
        HWINSTA station = CreateWindowStationW(L"VorselHidden", 0, WINSTA_ALL_ACCESS, NULL);
        if (station == NULL || !SetProcessWindowStation(station) ||
            CreateDesktopW(L"Desk", NULL, NULL, 0, GENERIC_ALL, NULL) == NULL) {
            fprintf(stderr, "launch: no hidden window station: %lu\n", GetLastError());
            return 250;
        }
        startup.lpDesktop = "VorselHidden\\Desk";
    }
    PROCESS_INFORMATION process;
    if (!CreateProcessA(argv[1], line, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
        fprintf(stderr, "launch: CreateProcess failed: %lu\n", GetLastError());
        return 250;
    }
    DWORD exitValue = 250;
    if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.hProcess, &exitValue)) {
        fprintf(stderr, "launch: no exit value: %lu\n", GetLastError());
        return 250;
    }
    return (int)exitValue;
}
