// The main window with a search typed into the toolbar's box, and with
// favourites only, the star and the play statistics columns, over a
// catalogue given a few favourites and plays: finding-search.bmp,
// finding-favourites.bmp. The catalogue is changed: hand over a copy.
//
//   shoot_finding LANGUAGE_DLL OUTPUT_FOLDER CATALOGUE
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "app/finding.h"
#include "app/main_window.h"
#include "base/globals.h"
#include "db/player_data.h"
#include "gamelist/game_list.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "tools/screens/window_shot.h"

using namespace quillet;

int main(int argc, char** argv) {
    screens::ShotRun run;
    if (!screens::StartShots(argc, argv, "shoot_finding", run)) return 2;
    Settings.Version = kSettingsVersion;  // no first-start wizard
    Settings.PicturePane = 0;  // the list's columns are the subject here
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    lstrcpynA(DatabasePath, run.input.c_str(), sizeof DatabasePath);

    HWND window = CreateMainWindow();
    if (!window) return 4;
    SetWindowPos(window, nullptr, 0, 0, 1000, 560, SWP_NOZORDER);
    ShowWindow(window, SW_SHOWNORMAL);
    // A few favourites and plays, as a player would leave them.
    struct Played {
        const char* name;
        bool favourite;
        int starts;
        uint32_t seconds;
        const char* when;
    };
    for (const Played& p : {Played{"pacman", true, 12, 4 * 3600 + 1520, "2026-12-06 21:14:05"},
                            Played{"mspacman", true, 5, 5400, "2026-12-05 19:02:44"},
                            Played{"galaga", true, 3, 1260, "2026-11-30 18:40:10"},
                            Played{"dkong", false, 1, 300, "2026-11-12 20:01:00"}}) {
        StoreFavourite(p.name, p.favourite);
        for (int i = 0; i < p.starts; ++i) StoreGameStart(p.name, p.when);
        StorePlayTime(p.name, p.seconds);
    }
    SendMessageA(window, WM_COMMAND, IDM_RELOAD, 0);
    // The star and the statistics beside the names.
    int order[kListColumns] = {16, 0, 1, 17, 18, 19, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    SendMessageA(GameListWindow, LVM_SETCOLUMNORDERARRAY, kListColumns, reinterpret_cast<LPARAM>(order));

    bool ok = true;
    SetWindowTextW(SearchBox, L"pac man");
    SetFocus(SearchBox);
    SendMessageW(SearchBox, EM_SETSEL, 7, 7);
    screens::PumpMessagesFor(400);
    ok = screens::SaveWindowBitmap(window, run.output + "\\finding-search.bmp") && ok;

    SetWindowTextW(SearchBox, L"");
    SendMessageA(window, WM_COMMAND, IDM_FAVOURITES_ONLY, 0);
    SetFocus(GameListWindow);
    screens::PumpMessagesFor(400);
    ok = screens::SaveWindowBitmap(window, run.output + "\\finding-favourites.bmp") && ok;
    if (!ok) std::fprintf(stderr, "shoot_finding: a picture was not taken\n");
    ExitProcess(ok ? 0 : 1);
}
