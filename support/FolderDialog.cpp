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

// Shows the folder picker, started in folder (when it exists) with title
// (when given): S_OK with *path the chosen folder's file-system path, of
// any length; cancelled; or another failure. *made is false, and nothing
// is shown, when the picker cannot be made at all, as on Server Core.
HRESULT ShowPicker(HWND owner, const WCHAR *folder, const WCHAR *title, WCHAR **path, bool *made) {
    // A procedure's address stands for a call of its real type.
    auto create = reinterpret_cast<CreateCall>(SystemProcedure("ole32.dll", "CoCreateInstance"));
    auto makeItem =
        reinterpret_cast<ItemCall>(SystemProcedure("shell32.dll", "SHCreateItemFromParsingName"));
    IFileOpenDialog *picker = nullptr;
    HRESULT result = create != nullptr ? create(pickerClass, nullptr, CLSCTX_INPROC_SERVER,
                                                pickerInterface, reinterpret_cast<void **>(&picker))
                                       : failed;
    *made = result >= 0 &&
            picker->SetOptions(FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST) >= 0;
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
    result = picker->Show(owner);
    IShellItem *chosen = nullptr;
    if (result >= 0) {
        result = picker->GetResult(&chosen);
    }
    if (result >= 0) {
        result = chosen->GetDisplayName(SIGDN_FILESYSPATH, path);
    }
    return result;
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

// Shows the older folder browser, as AskForFolder does.
FolderAnswer ShowBrowser(HWND owner, const WCHAR *folder, const WCHAR *title, WCHAR **path,
                         unsigned *error) {
    auto browse =
        reinterpret_cast<BrowseCall>(SystemProcedure("shell32.dll", "SHBrowseForFolderW"));
    auto pathOf =
        reinterpret_cast<PathCall>(SystemProcedure("shell32.dll", "SHGetPathFromIDListEx"));
    *path = NewWideBuffer(longestPath);
    if (browse == nullptr || pathOf == nullptr || *path == nullptr) {
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
    if (pathOf(chosen, *path, longestPath, GPFIDL_DEFAULT) == 0) {
        *error = static_cast<unsigned>(failed);
        return folderFailed;
    }
    return folderChosen;
}

} // namespace

FolderAnswer AskForFolder(HWND owner, const WCHAR *folder, const WCHAR *title, WCHAR **path,
                          unsigned *error) {
    bool made = false;
    HRESULT result = ShowPicker(owner, folder, title, path, &made);
    if (!made) {
        return ShowBrowser(owner, folder, title, path, error);
    }
    if (result == cancelled) {
        return folderCancelled;
    }
    *error = static_cast<unsigned>(result);
    return result >= 0 ? folderChosen : folderFailed;
}
