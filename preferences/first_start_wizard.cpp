// The first-start wizard: welcome, the emulator's path, finish; on the
// sheet routine of ui/property_sheet.h.
#include "preferences/preferences.h"

#include <commctrl.h>

#include <cstring>

#include "preferences/sheet_support.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "settings/settings_store.h"
#include "ui/pickers.h"
#include "ui/property_sheet.h"

namespace quillet {

namespace {

// Wizard97 in its first form; comctl32 of every version takes it.
constexpr DWORD kWizard97Flag = 0x2000;
constexpr DWORD kWizardFlags = PSH_PROPSHEETPAGE | PSH_HEADER | kWizard97Flag;
static_assert(kWizardFlags == 0x00082008);

// The exterior pages' title font of Wizard97 wizards: Verdana bold, 12 points.
HFONT CreateTitleFont() {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Verdana");
}

// The run's context: the welcome and finish pages' title font, for one run.
void UseTitleFont(const SheetPageCall& call, int titleId) {
    const HFONT font = *static_cast<HFONT*>(call.run.context);
    SendDlgItemMessageA(call.page, titleId, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void SetButtons(const SheetPageCall& call, DWORD buttons) {
    SendMessageA(call.run.frame, PSM_SETWIZBUTTONS, 0, buttons);
}

bool EditHasText(HWND page) { return GetWindowTextLengthA(GetDlgItem(page, IDC_WIZARD_MAME_PATH)) > 0; }

void LoadWelcome(const SheetPageCall& call) { UseTitleFont(call, IDC_WIZARD_WELCOME_TITLE); }

void OnWelcomeNotify(const SheetPageCall& call, const NMHDR& header) {
    const UINT code = header.code;
    if (code == static_cast<UINT>(PSN_SETACTIVE)) SetButtons(call, PSWIZB_NEXT);
}

// The emulator page's edit starts with the template's text, not MameName.
// Next is offered when it holds a path; typing alone does not offer it
// until the page is shown again, Browse does at once.
void OnEmulatorCommand(const SheetPageCall& call, int id, UINT code) {
    if (code != BN_CLICKED || id != IDC_WIZARD_BROWSE) return;
    if (ChooseFile(call.page, IDC_WIZARD_MAME_PATH, ExecutableFilter().text) == 1)
        SetButtons(call, PSWIZB_BACK | PSWIZB_NEXT);
}

void OnEmulatorNotify(const SheetPageCall& call, const NMHDR& header) {
    const UINT code = header.code;
    if (code == static_cast<UINT>(PSN_SETACTIVE)) {
        SetButtons(call, EditHasText(call.page) ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
    } else if (code == static_cast<UINT>(PSN_WIZNEXT)) {
        char path[sizeof Settings.MameName];
        GetDlgItemTextA(call.page, IDC_WIZARD_MAME_PATH, path, sizeof path);
        SetEmulatorPath(Settings, path);
    }
}

void LoadFinish(const SheetPageCall& call) { UseTitleFont(call, IDC_WIZARD_FINISH_TITLE); }

// Finish is the wizard's apply: it counts as the run's `applied`.
void OnFinishNotify(const SheetPageCall& call, const NMHDR& header) {
    const UINT code = header.code;
    if (code == static_cast<UINT>(PSN_SETACTIVE)) {
        SetButtons(call, PSWIZB_BACK | PSWIZB_FINISH);
    } else if (code == static_cast<UINT>(PSN_WIZFINISH)) {
        Settings.Version = kSettingsVersion;
        SaveSettings(call.page);
        call.run.applied = true;
    }
}

constexpr PageHandlers kWelcomePage = {.load = LoadWelcome, .notify = OnWelcomeNotify};
constexpr PageHandlers kEmulatorPage = {.command = OnEmulatorCommand, .notify = OnEmulatorNotify};
constexpr PageHandlers kFinishPage = {.load = LoadFinish, .notify = OnFinishNotify};

// The pages leave the focus to the wizard, and answer every notification
// with the wizard's defaults (move on, close on Finish).
constexpr SheetPage kPages[] = {
    {IDD_WIZARD_WELCOME, &kWelcomePage, nullptr, PSP_HIDEHEADER, false},
    {IDD_WIZARD_EMULATOR, &kEmulatorPage, nullptr, PSP_USEHEADERTITLE | PSP_USEHEADERSUBTITLE, false},
    {IDD_WIZARD_FINISH, &kFinishPage, nullptr, PSP_HIDEHEADER, false},
};

// The emulator paths as they were before the wizard: a path taken over by
// Next and then cancelled is not kept (it would be saved at exit).
struct EmulatorPaths {
    char name[sizeof Settings.MameName];
    char dir[sizeof Settings.MameDir];
    char cfg[sizeof Settings.MameCfg];
    uint32_t generation;
};

}  // namespace

void RunFirstStartWizard(HWND owner) {
    SheetHeader header{owner, LanguageModule, IDS_CAPTION_OPTIONS, kWizardFlags};
    header.headerTitle = IDS_WIZARD_TITLE;
    header.headerSubTitle = IDS_WIZARD_SUBTITLE;

    EmulatorPaths before;
    std::memcpy(before.name, Settings.MameName, sizeof before.name);
    std::memcpy(before.dir, Settings.MameDir, sizeof before.dir);
    std::memcpy(before.cfg, Settings.MameCfg, sizeof before.cfg);
    before.generation = Settings.EmulatorGeneration;
    HFONT titleFont = CreateTitleFont();
    SheetRun run;
    run.context = &titleFont;
    RunPropertySheet(header, kPages, run);
    DeleteObject(titleFont);
    if (run.applied) return;
    std::memcpy(Settings.MameName, before.name, sizeof before.name);
    std::memcpy(Settings.MameDir, before.dir, sizeof before.dir);
    std::memcpy(Settings.MameCfg, before.cfg, sizeof before.cfg);
    Settings.EmulatorGeneration = before.generation;
}

}  // namespace quillet
