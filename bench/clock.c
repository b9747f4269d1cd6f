/* Times programs started with exact command lines, in pairs, inside Wine,
 * with the performance counter. Standard streams go to the null device.
 *
 *   clock.exe run N PROGRAM-A LINE-FILE-A PROGRAM-B LINE-FILE-B
 *       N pairs, A then B: each time from CreateProcess to the exit
 *   clock.exe dialog N TITLE PROGRAM-A LINE-FILE-A PROGRAM-B LINE-FILE-B
 *       the same, each time until a dialog of TITLE is visible (it is then
 *       cancelled)
 *
 * Prints one line a pair: the two times in microseconds. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

static char *ReadLine(const char *path) {
    static char lines[2][1 << 17];
    static int next;
    char *line = lines[next++ % 2];
    FILE *file = fopen(path, "rb");
    if (file == NULL) {
        perror(path);
        exit(2);
    }
    size_t length = fread(line, 1, sizeof lines[0] - 1, file);
    fclose(file);
    line[length] = 0;
    return line;
}

static double Once(const char *program, const char *lineFile, const char *title) {
    static char line[1 << 17];
    lstrcpyA(line, ReadLine(lineFile));
    HANDLE null = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    SetHandleInformation(null, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    STARTUPINFOA startup = {0};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = null;
    startup.hStdError = null;
    PROCESS_INFORMATION process;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program, line, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
        fprintf(stderr, "clock: cannot start %s\n", program);
        exit(2);
    }
    if (title != NULL) {
        HWND dialog = NULL;
        while (dialog == NULL || !IsWindowVisible(dialog)) {
            dialog = FindWindowA("#32770", title);
        }
        QueryPerformanceCounter(&end);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        WaitForSingleObject(process.hProcess, INFINITE);
    } else {
        WaitForSingleObject(process.hProcess, INFINITE);
        QueryPerformanceCounter(&end);
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(null);
    return (double)(end.QuadPart - start.QuadPart) * 1e6 / (double)frequency.QuadPart;
}

int main(int argc, char **argv) {
    int dialog = argc == 8 && lstrcmpA(argv[1], "dialog") == 0;
    if (!dialog && !(argc == 7 && lstrcmpA(argv[1], "run") == 0)) {
        fputs("usage: clock run|dialog N [TITLE] PROGRAM-A LINE-A PROGRAM-B LINE-B\n", stderr);
        return 2;
    }
    int pairs = atoi(argv[2]);
    const char *title = dialog ? argv[3] : NULL;
    char **programs = argv + (dialog ? 4 : 3);
    for (int i = 0; i < pairs; i++) {
        double a = Once(programs[0], programs[1], title);
        double b = Once(programs[2], programs[3], title);
        printf("%.0f %.0f\n", a, b);
    }
    return 0;
}
