#include "preferences/preferences.h"

#include "base/globals.h"
#include "resources/resource_ids.h"
#include "settings/language.h"
#include "ui/placement.h"

namespace quillet {

namespace {

void OnInit(HWND dialog) {
    HICON icon = LoadIconA(ProgramInstance, MAKEINTRESOURCEA(IDI_QUILLET));
    SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    char text[4090];
    if (LoadStringA(LanguageModule, IDS_ABOUT_TEXT, text, sizeof text) <= 0) text[0] = '\0';
    SetDlgItemTextA(dialog, IDC_ABOUT_TEXT, text);
    CenterOnParent(dialog);
}

}  // namespace

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: OnInit(dialog); return TRUE;
    case WM_COMMAND:
        // Any button closes the box; the links handle their own clicks.
        if (HIWORD(wParam) == 0) SendMessageA(dialog, WM_CLOSE, 0, 0);
        return TRUE;
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
    default: return FALSE;
    }
}

void ShowAboutBox(HWND owner) {
    DialogBoxParamA(LanguageModule, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutBoxProc, 0);
}

}  // namespace quillet
