#include "preferences/preferences.h"

#include <commctrl.h>

#include <cstring>

#include "preferences/sheet_support.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "settings/settings_store.h"
#include "ui/pickers.h"

namespace quillet {

namespace {

// Wizard97 in its first form; comctl32 of every version takes it.
constexpr DWORD kWizard97Flag = 0x2000;
constexpr DWORD kWizardFlags = PSH_PROPSHEETPAGE | PSH_HEADER | kWizard97Flag;
static_assert(kWizardFlags == 0x00082008);

HWND wizardFrame;     // set by the welcome page, used by the others
bool wizardFinished;  // Finish was pressed during this run
HFONT titleFont;      // the welcome and finish pages' titles, for one run

// The exterior pages' title font of Wizard97 wizards: Verdana bold, 12 points.
HFONT CreateTitleFont() {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Verdana");
}

void UseTitleFont(HWND page, int titleId) {
    SendDlgItemMessageA(page, titleId, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont), FALSE);
}

void SetButtons(DWORD buttons) { SendMessageA(wizardFrame, PSM_SETWIZBUTTONS, 0, buttons); }

UINT NotifyCode(LPARAM lParam) { return reinterpret_cast<NMHDR*>(lParam)->code; }

bool EditHasText(HWND page) { return GetWindowTextLengthA(GetDlgItem(page, IDC_WIZARD_MAME_PATH)) > 0; }

// The emulator page's edit starts with the template's text, not MameName.
// Next is offered when it holds a path; typing alone does not offer it
// until the page is shown again, Browse does at once.
void OnEmulatorCommand(HWND page, WORD id, WORD code) {
    if (code != BN_CLICKED || id != IDC_WIZARD_BROWSE) return;
    if (ChooseFile(page, IDC_WIZARD_MAME_PATH, ExecutableFilter().text) == 1) SetButtons(PSWIZB_BACK | PSWIZB_NEXT);
}

void OnEmulatorNotify(HWND page, UINT code) {
    if (code == PSN_SETACTIVE) {
        SetButtons(EditHasText(page) ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
    } else if (code == PSN_WIZNEXT) {
        char path[sizeof Settings.MameName];
        GetDlgItemTextA(page, IDC_WIZARD_MAME_PATH, path, sizeof path);
        SetEmulatorPath(Settings, path);
    }
}

void OnFinishNotify(HWND page, UINT code) {
    if (code == PSN_SETACTIVE) {
        SetButtons(PSWIZB_BACK | PSWIZB_FINISH);
    } else if (code == PSN_WIZFINISH) {
        Settings.Version = kSettingsVersion;
        SaveSettings(page);
        wizardFinished = true;
    }
}

PROPSHEETPAGEA WizardPage(WORD templateId, DLGPROC procedure, DWORD flags) {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = flags;
    page.hInstance = LanguageModule;
    page.pszTemplate = MAKEINTRESOURCEA(templateId);
    page.pfnDlgProc = procedure;
    if (flags & PSP_USEHEADERTITLE) page.pszHeaderTitle = MAKEINTRESOURCEA(IDS_WIZARD_TITLE);
    if (flags & PSP_USEHEADERSUBTITLE) page.pszHeaderSubTitle = MAKEINTRESOURCEA(IDS_WIZARD_SUBTITLE);
    return page;
}

// The emulator paths as they were before the wizard: a path taken over by
// Next and then cancelled is not kept (it would be saved at exit).
struct EmulatorPaths {
    char name[sizeof Settings.MameName];
    char dir[sizeof Settings.MameDir];
    char cfg[sizeof Settings.MameCfg];
    uint32_t generation;
};

}  // namespace

// All three page procedures answer 0: the wizard's defaults (move on,
// close on Finish) are what they want.
INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        wizardFrame = GetParent(page);
        UseTitleFont(page, IDC_WIZARD_WELCOME_TITLE);
    }
    if (message == WM_NOTIFY && NotifyCode(lParam) == PSN_SETACTIVE) SetButtons(PSWIZB_NEXT);
    return 0;
}

INT_PTR CALLBACK EmulatorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) OnEmulatorCommand(page, LOWORD(wParam), HIWORD(wParam));
    if (message == WM_NOTIFY) OnEmulatorNotify(page, NotifyCode(lParam));
    return 0;
}

INT_PTR CALLBACK FinishPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) UseTitleFont(page, IDC_WIZARD_FINISH_TITLE);
    if (message == WM_NOTIFY) OnFinishNotify(page, NotifyCode(lParam));
    return 0;
}

void RunFirstStartWizard(HWND owner) {
    PROPSHEETPAGEA pages[3] = {
        WizardPage(IDD_WIZARD_WELCOME, WelcomePageProc, PSP_HIDEHEADER),
        WizardPage(IDD_WIZARD_EMULATOR, EmulatorPageProc, PSP_USEHEADERTITLE | PSP_USEHEADERSUBTITLE),
        WizardPage(IDD_WIZARD_FINISH, FinishPageProc, PSP_HIDEHEADER),
    };
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = kWizardFlags;
    header.hwndParent = owner;
    header.hInstance = LanguageModule;
    header.pszCaption = MAKEINTRESOURCEA(IDS_CAPTION_OPTIONS);
    header.nPages = 3;
    header.nStartPage = 0;
    header.ppsp = pages;

    EmulatorPaths before;
    std::memcpy(before.name, Settings.MameName, sizeof before.name);
    std::memcpy(before.dir, Settings.MameDir, sizeof before.dir);
    std::memcpy(before.cfg, Settings.MameCfg, sizeof before.cfg);
    before.generation = Settings.EmulatorGeneration;
    wizardFinished = false;
    titleFont = CreateTitleFont();
    PropertySheetA(&header);
    DeleteObject(titleFont);
    titleFont = nullptr;
    if (wizardFinished) return;
    std::memcpy(Settings.MameName, before.name, sizeof before.name);
    std::memcpy(Settings.MameDir, before.dir, sizeof before.dir);
    std::memcpy(Settings.MameCfg, before.cfg, sizeof before.cfg);
    Settings.EmulatorGeneration = before.generation;
}

}  // namespace quillet
