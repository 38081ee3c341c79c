// Shoots the README's pictures of this subsystem: the three wizard pages,
// the preferences page, a history entry and the about box, each as a BMP of
// its window. Run by tools/screens.d/preferences.sh, which turns them into
// PNG files. Nothing is saved: every sheet is cancelled.
// usage: prefs_screens LANGUAGE_DLL OUTPUT_FOLDER EMULATOR_FOLDER
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "base/globals.h"
#include "documents/documents.h"
#include "preferences/preferences.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "tools/screens/window_shot.h"

using namespace quillet;

namespace {

std::string outputFolder;
bool failed = false;

bool SaveWindowBitmap(HWND window, const char* name) {
    const bool ok = screens::SaveWindowBitmap(window, outputFolder + "\\" + name + ".bmp");
    if (!ok) failed = true;
    return ok;
}

// One step per timer tick against the open dialog, so each picture is taken
// after the previous step's change has been painted.
std::vector<std::function<void(HWND)>> steps;
size_t nextStep;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (!IsWindowVisible(window) || std::string(name) != "#32770") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || nextStep >= steps.size()) return;
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    steps[nextStep++](dialog);
}

void Run(std::vector<std::function<void(HWND)>> script, const std::function<void()>& open) {
    steps = std::move(script);
    nextStep = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 500, Tick);
    open();
    KillTimer(nullptr, timer);
    if (nextStep != steps.size()) failed = true;
}

void Press(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, button, 0); }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc != 4) return 2;
    ProgramInstance = GetModuleHandleA(nullptr);
    ProcessHeap = GetProcessHeap();
    RegisterLinkClasses();
    INITCOMMONCONTROLSEX controls{sizeof controls, 0x43D};
    InitCommonControlsEx(&controls);
    LanguageModule = LoadLibraryA(__argv[1]);
    if (!LanguageModule) return 3;
    outputFolder = __argv[2];
    SetDefaultSettings(Settings);
    lstrcpyA(Settings.MameName, "C:\\MAME\\mame.exe");
    DeriveEmulatorPaths(Settings);
    lstrcpyA(Settings.Lang, "english");
    Settings.EnableIcons = 1;
    // Where a standard user's catalogue lies after installation.
    lstrcpyW(CatalogueFile, L"C:\\Users\\Ann\\AppData\\Local\\Quillet\\gamelist.mdb");

    Run({
            [](HWND sheet) { SaveWindowBitmap(sheet, "wizard-welcome"); Press(sheet, PSBTN_NEXT); },
            [](HWND sheet) {
                HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
                SetDlgItemTextA(page, IDC_WIZARD_MAME_PATH, "C:\\MAME\\mame.exe");
                Press(sheet, PSBTN_BACK);
            },
            [](HWND sheet) { Press(sheet, PSBTN_NEXT); },
            [](HWND sheet) { SaveWindowBitmap(sheet, "wizard-emulator"); Press(sheet, PSBTN_NEXT); },
            [](HWND sheet) { SaveWindowBitmap(sheet, "wizard-finish"); Press(sheet, PSBTN_CANCEL); },
        },
        [] { RunFirstStartWizard(nullptr); });

    Run({[](HWND sheet) { SaveWindowBitmap(sheet, "preferences"); Press(sheet, PSBTN_CANCEL); }},
        [] { ShowPreferencesSheet(nullptr, 0); });

    // A clone's entry: its parent's text under its own description.
    lstrcpynA(Settings.MameDir, __argv[3], sizeof Settings.MameDir);
    std::wstring text;
    if (LoadHistoryText(nullptr, "drinxu", text) == kDocumentFound) {
        Run({[](HWND viewer) { SaveWindowBitmap(viewer, "history"); PostMessageA(viewer, WM_CLOSE, 0, 0); }},
            [&] { RunDocumentViewer(nullptr, {"Brozdrour Quest (set 2)", IDS_CAPTION_HISTORY, text.c_str()}); });
    } else {
        failed = true;
    }

    Run({[](HWND dialog) { SaveWindowBitmap(dialog, "about"); PostMessageA(dialog, WM_CLOSE, 0, 0); }},
        [] { ShowAboutBox(nullptr); });
    return failed ? 1 : 0;
}
