#include "ui/pickers.h"

#include <commdlg.h>
#include <shlobj.h>

#include "ui/folder_path.h"

namespace quillet {

int ChooseFile(HWND dialog, int editId, const char* filter) {
    char file[1024];
    GetDlgItemTextA(dialog, editId, file, sizeof file);
    OPENFILENAMEA ofn{};
    // The form without the Windows 2000 fields: the places bar stays off and
    // older shells accept it. Its size is the platform's, not a fixed number.
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (GetOpenFileNameA(&ofn) != 1) return 0;
    SetDlgItemTextA(dialog, editId, file);
    return 1;
}

int ChooseFolder(HWND dialog, int editId, const char* title) {
    BROWSEINFOA info{};
    info.hwndOwner = dialog;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
    if (chosen == nullptr) return 0;
    char path[1024];
    const BOOL converted = SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    if (!converted) return 0;
    DropTrailingBackslash(path);
    SetDlgItemTextA(dialog, editId, path);
    return 1;
}

}  // namespace quillet
