// The three wizard pages, the preferences page, a history entry and the
// about box: wizard-welcome.bmp ... about.bmp. Nothing is saved: every sheet
// is cancelled.
//
//   shoot_preferences LANGUAGE_DLL OUTPUT_FOLDER EMULATOR_FOLDER
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "base/globals.h"
#include "gamelist/game_list.h"
#include "documents/documents.h"
#include "preferences/preferences.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "tools/screens/window_shot.h"

using namespace quillet;

namespace {

screens::ShotRun run;
bool failed = false;

bool SaveWindowBitmap(HWND window, const char* name) {
    const bool ok = screens::SaveWindowBitmap(window, run.output + "\\" + name + ".bmp");
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

// A list view standing in for the game list with one focused row, a clone
// whose history entry is its parent's: column 0 the name, 1 the
// description, 5 the parent.
HWND FocusedCloneList() {
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 400, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    for (int column = 0; column <= 5; ++column) {
        LVCOLUMNA c{};
        ListView_InsertColumn(list, column, &c);
    }
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<char*>("drinxu2");
    ListView_InsertItem(list, &item);
    ListView_SetItemText(list, 0, 1, const_cast<char*>("Brozdrour Quest (set 2)"));
    ListView_SetItemText(list, 0, 5, const_cast<char*>("drinxu"));
    ListView_SetItemState(list, 0, LVIS_FOCUSED, LVIS_FOCUSED);
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    RegisterLinkClasses();
    if (!screens::StartShots(argc, argv, "shoot_preferences", run)) return 2;
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
    std::string folder = run.input;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    lstrcpynA(Settings.MameDir, folder.c_str(), sizeof Settings.MameDir);
    GameListWindow = FocusedCloneList();
    Run({[](HWND viewer) { SaveWindowBitmap(viewer, "history"); PostMessageA(viewer, WM_CLOSE, 0, 0); }},
        [] { ShowGameHistory(nullptr); });
    DestroyWindow(GameListWindow);
    GameListWindow = nullptr;

    Run({[](HWND dialog) { SaveWindowBitmap(dialog, "about"); PostMessageA(dialog, WM_CLOSE, 0, 0); }},
        [] { ShowAboutBox(nullptr); });
    return failed ? 1 : 0;
}
