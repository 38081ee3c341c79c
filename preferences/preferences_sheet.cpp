// The preferences sheet: one page over the emulator path, the icons and
// the language, on the sheet routine of ui/property_sheet.h.
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
#include "ui/property_sheet.h"

namespace quillet {

namespace {

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

// The catalogue by its full name; the edit control keeps Unicode text, so a
// folder named outside the ANSI code page reads as the user knows it.
void ShowCatalogueLocation(HWND page) {
    if (CatalogueFile[0] != L'\0')
        SetDlgItemTextW(page, IDC_PREF_CATALOGUE, CatalogueFile);
    else
        SetDlgItemTextA(page, IDC_PREF_CATALOGUE, DatabasePath);
}

void Load(const SheetPageCall& call) {
    const HWND page = call.page;
    ShowCatalogueLocation(page);
    SetDlgItemTextA(page, IDC_PREF_MAME_PATH, Settings.MameName);
    CheckDlgButton(page, IDC_PREF_ICONS, Settings.EnableIcons ? BST_CHECKED : BST_UNCHECKED);
    HWND combo = GetDlgItem(page, IDC_PREF_LANGUAGE);
    FillLanguageList(page, combo);
    SelectLanguage(combo);
}

// Browse, the icons box and a new language count as changes; typing a path
// does not (OK still applies it).
void OnCommand(const SheetPageCall& call, int id, UINT code) {
    bool changed = false;
    if (code == BN_CLICKED && id == IDC_PREF_BROWSE)
        changed = ChooseFile(call.page, IDC_PREF_MAME_PATH, ExecutableFilter().text) == 1;
    else if (code == BN_CLICKED && id == IDC_PREF_ICONS)
        changed = true;
    else if (code == CBN_SELCHANGE && id == IDC_PREF_LANGUAGE)
        changed = true;
    if (changed) call.MarkChanged();
}

void Store(const SheetPageCall& call) {
    const HWND page = call.page;
    Settings.EnableIcons = IsDlgButtonChecked(page, IDC_PREF_ICONS) == BST_CHECKED ? 1 : 0;
    char path[sizeof Settings.MameName];
    GetDlgItemTextA(page, IDC_PREF_MAME_PATH, path, sizeof path);
    SetEmulatorPath(Settings, path);
    // The new language is loaded at the next start.
    GetDlgItemTextA(page, IDC_PREF_LANGUAGE, Settings.Lang, sizeof Settings.Lang);
    SaveSettings(page);
}

constexpr PageHandlers kPreferencesPage = {Load, OnCommand, Store};
constexpr SheetPage kPages[] = {{IDD_PREFERENCES, &kPreferencesPage}};

}  // namespace

void ShowPreferencesSheet(HWND owner, int startPage) {
    SheetHeader header{owner, LanguageModule, IDS_CAPTION_PREFS};
    header.startPage = static_cast<UINT>(startPage);
    SheetRun run;
    RunPropertySheet(header, kPages, run);
}

}  // namespace quillet
