#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "FolderDialog.h"
#include "SystemLibrary.h"
#include "WideText.h"

namespace {

// The system's own names for the folder picker and the items it hands
// back, defined here so that no library of them is linked.
constexpr CLSID pickerClass = {
    0xDC1C5A9C, 0xE88A, 0x4DDE, {0xA5, 0xA1, 0x60, 0xF8, 0x2A, 0x20, 0xAE, 0xF7}};
constexpr IID pickerInterface = {
    0xD57C7288, 0xD4AD, 0x4768, {0xBE, 0x02, 0x9D, 0x96, 0x95, 0x32, 0xD9, 0x60}};
constexpr IID itemInterface = {
    0x43826D1E, 0xE718, 0x42EE, {0xBC, 0x55, 0xA1, 0xE2, 0x61, 0xC3, 0x7B, 0xFE}};

constexpr HRESULT cancelled = static_cast<HRESULT>(0x800704C7); // from ERROR_CANCELLED
constexpr HRESULT failed = static_cast<HRESULT>(0x80004005);    // E_FAIL
constexpr DWORD longestPath = 32768;

typedef HRESULT(WINAPI *CreateCall)(REFCLSID made, LPUNKNOWN outer, DWORD context, REFIID kind,
                                    LPVOID *object);
typedef HRESULT(WINAPI *ItemCall)(PCWSTR path, IBindCtx *context, REFIID kind, void **item);
typedef PIDLIST_ABSOLUTE(WINAPI *BrowseCall)(BROWSEINFOW *browse);
typedef BOOL(WINAPI *PathCall)(PCIDLIST_ABSOLUTE item, PWSTR path, DWORD size,
                               GPFIDL_FLAGS options);

// What the older browser is started with: its folder (empty: where it
// would open without one) and its title (null: its own). One run shows one
// browser at most.
const WCHAR *browserFolder;
const WCHAR *browserTitle;

// The chosen items' file-system paths as AskForFolder lists them, in the
// picker's order: folderWithoutPath when one has none (a library or a
// virtual folder, which a picker told to take file-system folders only
// should never hand back).
FolderAnswer ListPaths(IShellItemArray *items, WCHAR **paths, unsigned *error) {
    DWORD count = 0;
    HRESULT result = items->GetCount(&count);
    size_t size = 1;
    // The first pass measures, the second copies.
    for (int pass = 0; pass < 2 && result >= 0; pass++) {
        size_t at = 1;
        for (DWORD i = 0; i < count; i++) {
            IShellItem *item = nullptr;
            WCHAR *path = nullptr;
            result = items->GetItemAt(i, &item);
            if (result < 0) {
                break;
            }
            if (item->GetDisplayName(SIGDN_FILESYSPATH, &path) < 0) {
                return folderWithoutPath;
            }
            size_t length = WideLength(path);
            for (size_t k = 0; pass == 1 && k < length; k++) {
                (*paths)[at + k] = path[k];
            }
            at += length + 1;
        }
        size = at;
        *paths = pass == 0 ? NewWideBuffer(size) : *paths;
        if (*paths == nullptr) {
            return folderMissing;
        }
    }
    *error = static_cast<unsigned>(result);
    return result >= 0 && size > 1 ? folderChosen : folderFailed;
}

// Shows the folder picker, started in folder (when it exists) with title
// (when given), taking several folders when asked: S_OK once the user has
// chosen; cancelled; or another failure. *made is false, and nothing is
// shown, when the picker cannot be made at all, as on Server Core.
HRESULT ShowPicker(HWND owner, const WCHAR *folder, const WCHAR *title, bool several,
                   IFileOpenDialog **shown, bool *made) {
    // A procedure's address stands for a call of its real type.
    auto create = reinterpret_cast<CreateCall>(SystemProcedure("ole32.dll", "CoCreateInstance"));
    auto makeItem =
        reinterpret_cast<ItemCall>(SystemProcedure("shell32.dll", "SHCreateItemFromParsingName"));
    IFileOpenDialog *picker = nullptr;
    HRESULT result = create != nullptr ? create(pickerClass, nullptr, CLSCTX_INPROC_SERVER,
                                                pickerInterface, reinterpret_cast<void **>(&picker))
                                       : failed;
    FILEOPENDIALOGOPTIONS options = FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST;
    if (several) {
        options |= FOS_ALLOWMULTISELECT;
    }
    *made = result >= 0 && picker->SetOptions(options) >= 0;
    if (!*made) {
        return result;
    }
    // The folder is set, not suggested, so the picker opens there every
    // time; one that cannot be found leaves it where it would open.
    IShellItem *start = nullptr;
    if (folder[0] != 0 && makeItem != nullptr &&
        makeItem(folder, nullptr, itemInterface, reinterpret_cast<void **>(&start)) >= 0) {
        picker->SetFolder(start);
    }
    if (title != nullptr) {
        picker->SetTitle(title);
    }
    *shown = picker;
    return picker->Show(owner);
}

// Starts the older browser in its folder, under its title, once it is up.
int CALLBACK StartBrowser(HWND browser, UINT message, LPARAM, LPARAM) {
    if (message == BFFM_INITIALIZED) {
        if (browserTitle != nullptr) {
            SetWindowTextW(browser, browserTitle);
        }
        if (browserFolder[0] != 0) {
            SendMessageW(browser, BFFM_SETSELECTIONW, TRUE,
                         reinterpret_cast<LPARAM>(browserFolder));
        }
    }
    return 0;
}

// Shows the older folder browser, which takes one folder, as AskForFolder
// does.
FolderAnswer ShowBrowser(HWND owner, const WCHAR *folder, const WCHAR *title, WCHAR **paths,
                         unsigned *error) {
    auto browse =
        reinterpret_cast<BrowseCall>(SystemProcedure("shell32.dll", "SHBrowseForFolderW"));
    auto pathOf =
        reinterpret_cast<PathCall>(SystemProcedure("shell32.dll", "SHGetPathFromIDListEx"));
    *paths = NewWideBuffer(1 + longestPath + 1);
    if (browse == nullptr || pathOf == nullptr || *paths == nullptr) {
        return folderMissing;
    }
    static WCHAR shownName[MAX_PATH];
    browserFolder = folder;
    browserTitle = title;
    BROWSEINFOW browsing = {};
    browsing.hwndOwner = owner;
    browsing.pszDisplayName = shownName;
    browsing.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
    browsing.lpfn = StartBrowser;
    PIDLIST_ABSOLUTE chosen = browse(&browsing);
    if (chosen == nullptr) {
        return folderCancelled;
    }
    if (pathOf(chosen, *paths + 1, longestPath, GPFIDL_DEFAULT) == 0) {
        *error = static_cast<unsigned>(failed);
        return folderFailed;
    }
    return folderChosen;
}

} // namespace

FolderAnswer AskForFolder(HWND owner, const WCHAR *folder, const WCHAR *title, bool several,
                          WCHAR **paths, unsigned *error) {
    bool made = false;
    IFileOpenDialog *picker = nullptr;
    HRESULT result = ShowPicker(owner, folder, title, several, &picker, &made);
    if (!made) {
        return ShowBrowser(owner, folder, title, paths, error);
    }
    // The results hold one item or several, whichever the picker took.
    IShellItemArray *items = nullptr;
    if (result >= 0) {
        result = picker->GetResults(&items);
    }
    if (result == cancelled) {
        return folderCancelled;
    }
    *error = static_cast<unsigned>(result);
    return result >= 0 ? ListPaths(items, paths, error) : folderFailed;
}
