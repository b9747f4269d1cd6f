/* Works a Save, Open or folder dialog as a user would, through standard
 * window messages, and reports what it shows, one "key=value" line each.
 *
 *   dialog.exe TITLE dump                  every control of the dialog, then Cancel
 *   dialog.exe TITLE peek                  read it and leave it open
 *   dialog.exe TITLE cancel                read it, then press Cancel
 *   dialog.exe TITLE save [NAME [TYPE]]    pick file type number TYPE if given, read
 *                                          it, type NAME if given, press Save; a replace
 *                                          question is answered No, then Cancel
 *   dialog.exe TITLE save-yes [NAME]       the same, but the replace question gets Yes
 *   dialog.exe TITLE save-wait [NAME]      the same, but a question is left unanswered
 *
 * It acts once the dialog has settled; when a button neither closes it nor
 * brings a question, it reports stuck and presses Cancel.
 * Reports: title, rect (left top right bottom), shown (normal, minimized or
 * maximized), name (the name box), type (the file-type box), folder (the
 * folder box), readonly (shown or hidden), owner (the owner's title or none),
 * question (the replace question's text), then done. Texts are read and
 * typed through the wide calls, as a user's keyboard types them, and
 * reported in UTF-8, whatever the code page. Ends with 0 once the action was
 * taken, 3 when no dialog of that title appeared in time. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

enum { nameBox = 0x47c, nameEdit = 0x480, typeBox = 0x470, folderBox = 0x471, readOnly = 0x410 };

static HWND FindDialog(const wchar_t *title, HWND notThis, int seconds) {
    for (int i = 0; i < seconds * 20; i++) {
        HWND found = FindWindowW(L"#32770", title);
        while (found != NULL && found == notThis) {
            found = FindWindowExW(NULL, found, L"#32770", title);
        }
        if (found != NULL && IsWindowVisible(found)) {
            return found;
        }
        Sleep(50);
    }
    return NULL;
}

/* A wide text in UTF-8, in a buffer that lasts until the next call. */
static const char *Utf8(const wchar_t *wide) {
    static char text[4 * 65536];
    text[0] = 0;
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, NULL, NULL);
    return text;
}

/* A window's text; asked for by message, since GetWindowText does not
 * read a control of another process. */
static const wchar_t *TextOf(HWND window) {
    static wchar_t text[65536];
    text[0] = 0;
    if (window != NULL) {
        SendMessageW(window, WM_GETTEXT, sizeof text / sizeof *text, (LPARAM)text);
    }
    return text;
}

static void Report(const char *key, HWND window) {
    printf("%s=%s\n", key, Utf8(TextOf(window)));
}

static BOOL CALLBACK DumpOne(HWND child, LPARAM unused) {
    char cls[64] = "";
    (void)unused;
    GetClassNameA(child, cls, sizeof cls);
    printf("control id=0x%x class=%s visible=%d text=%s\n", GetDlgCtrlID(child), cls,
           IsWindowVisible(child) ? 1 : 0, Utf8(TextOf(child)));
    return TRUE;
}

/* The name box: the edit inside the name combo box (which may itself sit
 * in an extended combo box), or the plain edit of older dialogs. */
static HWND NameEdit(HWND dialog) {
    HWND box = GetDlgItem(dialog, nameBox);
    for (int depth = 0; box != NULL && depth < 3; depth++) {
        char cls[64] = "";
        GetClassNameA(box, cls, sizeof cls);
        if (strcmp(cls, "Edit") == 0) {
            return box;
        }
        HWND inner = FindWindowExA(box, NULL, NULL, NULL);
        if (inner == NULL) {
            return box;
        }
        box = inner;
    }
    return box != NULL ? box : GetDlgItem(dialog, nameEdit);
}

/* Waits until the name box holds want (typed again while it does not) or,
 * for no want, its first text, unchanged for 300 ms: a dialog still filling
 * it would lose a name typed or a button pressed now. */
static void Settle(HWND dialog, const wchar_t *want) {
    static wchar_t last[65536];
    for (int i = 0, calm = 0; i < 300; i++, Sleep(100)) {
        HWND name = NameEdit(dialog);
        if (want != NULL && wcscmp(TextOf(name), want) != 0) {
            SendMessageW(name, WM_SETTEXT, 0, (LPARAM)want);
        }
        calm = wcscmp(TextOf(name), last) == 0 ? calm + 1 : 0;
        if (calm == 3) {
            return;
        }
        wcscpy(last, TextOf(name));
    }
    puts("unsettled");
}

/* The selected entry of a combo box. */
static void ReportCombo(const char *key, HWND combo) {
    static wchar_t wide[65536];
    wide[0] = 0;
    LRESULT index = combo != NULL ? SendMessageW(combo, CB_GETCURSEL, 0, 0) : -1;
    if (index >= 0 && SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) < 65000) {
        SendMessageW(combo, CB_GETLBTEXT, index, (LPARAM)wide);
    }
    printf("%s=%s\n", key, Utf8(wide));
}

/* The replace question: a message box owned by the dialog. */
static BOOL CALLBACK FindQuestion(HWND window, LPARAM found) {
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (strcmp(cls, "#32770") == 0 && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == *(HWND *)found) {
        *(HWND *)found = window;
        return FALSE;
    }
    return TRUE;
}

static BOOL CALLBACK QuestionText(HWND child, LPARAM text) {
    char cls[64] = "";
    GetClassNameA(child, cls, sizeof cls);
    const char *part = Utf8(TextOf(child));
    if (strcmp(cls, "Static") == 0 && part[0] != 0) {
        snprintf((char *)text, 1024, "%s", part);
    }
    return TRUE;
}

int wmain(int argc, wchar_t **argv) {
    if (argc < 3) {
        fputs("usage: dialog TITLE dump|peek|cancel|save|save-yes [NAME [TYPE]]\n", stderr);
        return 2;
    }
    char action[32] = "";
    WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, action, sizeof action - 1, NULL, NULL);
    HWND dialog = FindDialog(argv[1], NULL, 60);
    if (dialog == NULL) {
        puts("nodialog");
        return 3;
    }
    Settle(dialog, NULL);
    if (strcmp(action, "dump") == 0) {
        EnumChildWindows(dialog, DumpOne, 0);
    }
    if (argc > 4) {
        /* as a user picks it: the box's selection, and the dialog told of it */
        HWND types = GetDlgItem(dialog, typeBox);
        SendMessageW(types, CB_SETCURSEL, _wtoi(argv[4]) - 1, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(typeBox, CBN_SELCHANGE), (LPARAM)types);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(typeBox, CBN_SELENDOK), (LPARAM)types);
    }
    Report("title", dialog);
    Report("name", NameEdit(dialog));
    ReportCombo("type", GetDlgItem(dialog, typeBox));
    ReportCombo("folder", GetDlgItem(dialog, folderBox));
    HWND check = GetDlgItem(dialog, readOnly);
    printf("readonly=%s\n", check != NULL && IsWindowVisible(check) ? "shown" : "hidden");
    RECT frame;
    GetWindowRect(dialog, &frame);
    printf("rect=%ld %ld %ld %ld\n", frame.left, frame.top, frame.right, frame.bottom);
    printf("shown=%s\n", IsIconic(dialog)   ? "minimized"
                         : IsZoomed(dialog) ? "maximized"
                                            : "normal");
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != NULL) {
        Report("owner", owner);
    } else {
        puts("owner=none");
    }
    fflush(stdout);

    if (strcmp(action, "peek") == 0) {
        /* leave it as it is */
    } else if (strcmp(action, "cancel") == 0 || strcmp(action, "dump") == 0) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    } else {
        Settle(dialog, argc > 3 ? argv[3] : NULL);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        /* A replace question, if one comes, is answered Yes for save-yes;
         * for save it is answered No and the dialog cancelled. */
        HWND question = NULL;
        for (int i = 0; i < 200 && IsWindow(dialog); i++) {
            Sleep(50);
            question = dialog;
            EnumWindows(FindQuestion, (LPARAM)&question);
            if (question != dialog) {
                break;
            }
            question = NULL;
        }
        char text[1024] = "";
        if (question != NULL) {
            Sleep(300); /* let the question settle before it is answered */
            EnumChildWindows(question, QuestionText, (LPARAM)text);
            int answer = strcmp(action, "save-yes") == 0 ? IDYES : IDNO;
            if (strcmp(action, "save-wait") != 0) {
                PostMessageA(GetDlgItem(question, answer), BM_CLICK, 0, 0);
            }
            if (answer == IDNO && strcmp(action, "save-wait") != 0) {
                Sleep(300);
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
        }
        for (char *c = text; *c != 0; c++) {
            if (*c == '\n' || *c == '\r') {
                *c = ' ';
            }
        }
        printf("question=%s\n", text);
    }
    for (int i = 0; strcmp(action, "peek") != 0 && i < 200 && IsWindow(dialog); i++) {
        Sleep(50);
    }
    if (strcmp(action, "peek") != 0 && IsWindow(dialog)) {
        Report("stuck", NameEdit(dialog));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    puts("done");
    return 0;
}
