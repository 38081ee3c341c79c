// Today's settings sheet at each of its seven pages on the mame.ini beside
// the emulator, then a clone's file on the Sound page (showing where each
// value comes from): today-<page>.bmp and today-game.bmp. Every sheet is
// cancelled, so the files are left as they were.
//
//   shoot_today_options LANGUAGE_DLL OUTPUT_FOLDER EMULATOR
//
// The emulator's folder holds mame.ini and ini\puckman.ini (a clone of
// pacman, whose ini is there too).
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "options/today_sheet.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "tools/screens/window_shot.h"

using namespace quillet;

int main(int argc, char** argv) {
    screens::ShotRun run;
    if (!screens::StartShots(argc, argv, "shoot_today_options", run)) return 2;
    lstrcpynA(Settings.MameName, run.input.c_str(), sizeof Settings.MameName);
    DeriveEmulatorPaths(Settings);
    const std::string folder = Settings.MameDir;
    // The list of All options shows a row chosen, as a user sees it.
    const auto chooseRow = [](HWND sheet) {
        if (HWND list = GetDlgItem(PropSheet_GetCurrentPageHwnd(sheet), IDC_TODAY_LIST))
            ListView_SetItemState(list, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    };
    static constexpr const char* kPages[7] = {"paths", "video", "sound", "input", "performance", "screen", "all"};
    bool written = screens::ShootSheetPages(
        run, "today", kPages, 7,
        [&](UINT page) { OpenTodaySheet(nullptr, static_cast<TodayPage>(page), folder + "mame.ini", "", ""); },
        chooseRow);
    static constexpr const char* kGame[1] = {"game"};
    written = screens::ShootSheetPages(run, "today", kGame, 1, [&](UINT) {
        OpenTodaySheet(nullptr, TodayPage::Sound, folder + "ini\\puckman.ini", "puckman", "pacman");
    }) && written;
    return written ? 0 : 1;
}
