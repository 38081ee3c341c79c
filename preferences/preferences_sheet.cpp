#include "preferences/preferences.h"

#include <commctrl.h>

#include <cstring>

#include "base/globals.h"
#include "preferences/sheet_support.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "settings/settings_store.h"
#include "ui/pickers.h"

namespace quillet {

namespace {

HWND preferencesSheet;  // the frame of the running sheet

void MarkChanged(HWND page) { SendMessageA(preferencesSheet, PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0); }

// Selects the entry whose text is exactly Lang (CB_FINDSTRINGEXACT ignores
// case); none when there is none.
void SelectLanguage(HWND combo) {
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char name[64] = "";
        if (SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) >= static_cast<LRESULT>(sizeof name)) continue;
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
        if (std::strcmp(name, Settings.Lang) == 0) {
            SendMessageA(combo, CB_SETCURSEL, i, 0);
            return;
        }
    }
}

// The catalogue by its full name where the ANSI code page can write it,
// else by the short name the program opens it with.
void ShowCatalogueLocation(HWND page) {
    char text[MAX_PATH * 2];
    BOOL lossy = FALSE;
    if (CatalogueFile[0] != L'\0' &&
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, CatalogueFile, -1, text, sizeof text, nullptr, &lossy) > 0 &&
        !lossy)
        SetDlgItemTextA(page, IDC_PREF_CATALOGUE, text);
    else
        SetDlgItemTextA(page, IDC_PREF_CATALOGUE, DatabasePath);
}

void OnInit(HWND page) {
    preferencesSheet = GetParent(page);
    ShowCatalogueLocation(page);
    SetDlgItemTextA(page, IDC_PREF_MAME_PATH, Settings.MameName);
    CheckDlgButton(page, IDC_PREF_ICONS, Settings.EnableIcons ? BST_CHECKED : BST_UNCHECKED);
    HWND combo = GetDlgItem(page, IDC_PREF_LANGUAGE);
    FillLanguageList(page, combo);
    SelectLanguage(combo);
}

// Browse, the icons box and a new language count as changes; typing a path
// does not (OK still applies it).
void OnCommand(HWND page, WORD id, WORD code) {
    bool changed = false;
    if (code == BN_CLICKED && id == IDC_PREF_BROWSE)
        changed = ChooseFile(page, IDC_PREF_MAME_PATH, ExecutableFilter().text) == 1;
    else if (code == BN_CLICKED && id == IDC_PREF_ICONS)
        changed = true;
    else if (code == CBN_SELCHANGE && id == IDC_PREF_LANGUAGE)
        changed = true;
    if (changed) MarkChanged(page);
}

void OnApply(HWND page) {
    Settings.EnableIcons = IsDlgButtonChecked(page, IDC_PREF_ICONS) == BST_CHECKED ? 1 : 0;
    char path[sizeof Settings.MameName];
    GetDlgItemTextA(page, IDC_PREF_MAME_PATH, path, sizeof path);
    SetEmulatorPath(Settings, path);
    // The new language is loaded at the next start.
    GetDlgItemTextA(page, IDC_PREF_LANGUAGE, Settings.Lang, sizeof Settings.Lang);
    SaveSettings(page);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
}

}  // namespace

INT_PTR CALLBACK PreferencesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInit(page); return TRUE;
    case WM_COMMAND: OnCommand(page, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == PSN_APPLY) OnApply(page);
        return TRUE;
    default: return FALSE;
    }
}

void ShowPreferencesSheet(HWND owner, int startPage) {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.hInstance = LanguageModule;
    page.pszTemplate = MAKEINTRESOURCEA(IDD_PREFERENCES);
    page.pfnDlgProc = PreferencesPageProc;

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hwndParent = owner;
    header.hInstance = LanguageModule;
    header.pszCaption = MAKEINTRESOURCEA(IDS_CAPTION_PREFS);
    header.nPages = 1;
    header.nStartPage = static_cast<UINT>(startPage);
    header.ppsp = &page;
    PropertySheetA(&header);
}

}  // namespace quillet
