// Screenshot helper for tools/screens.d/today_options.sh: opens today's
// settings sheet at each of its seven pages on a sample mame.ini, and once
// more on a game's file (the Sound page, showing where each value comes
// from), saves the sheet as <folder>\today-<page>.bmp and cancels, so the
// files are left as they were.
// usage: shoot_today_pages LANGUAGE_DLL EMULATOR OUTPUT_FOLDER
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <string>

#include "options/today_sheet.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "tools/screens/window_shot.h"

namespace {

constexpr const char* kPageNames[7] = {"paths", "video", "sound", "input", "performance", "screen", "all"};
std::string outputFolder;
std::string shotName;
bool saved;

void CALLBACK Shoot(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND sheet = quillet::screens::FindThreadSheet();
    if (!sheet) return;
    KillTimer(nullptr, timer);
    SetWindowPos(sheet, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    // The list of All options shows a row chosen, as a user sees it.
    if (HWND list = GetDlgItem(page, 14602)) ListView_SetItemState(list, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    quillet::screens::PumpMessagesFor(500);
    saved = quillet::screens::SaveWindowBitmap(sheet, outputFolder + "\\today-" + shotName + ".bmp");
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
}

bool ShootOne(const char* name, quillet::TodayPage page, const std::string& path, const char* rom, const char* parent) {
    saved = false;
    shotName = name;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, Shoot);
    quillet::OpenTodaySheet(nullptr, page, path, rom, parent);
    KillTimer(nullptr, timer);
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: shoot_today_pages LANGUAGE_DLL EMULATOR OUTPUT_FOLDER\n");
        return 2;
    }
    InitCommonControls();
    quillet::LanguageModule = LoadLibraryA(argv[1]);
    if (!quillet::LanguageModule) {
        std::fprintf(stderr, "cannot load %s\n", argv[1]);
        return 1;
    }
    outputFolder = argv[3];
    quillet::SetDefaultSettings(quillet::Settings);
    std::snprintf(quillet::Settings.MameName, sizeof quillet::Settings.MameName, "%s", argv[2]);
    quillet::DeriveEmulatorPaths(quillet::Settings);
    const std::string folder = quillet::Settings.MameDir;
    int status = 0;
    for (int i = 0; i < 7; ++i)
        if (!ShootOne(kPageNames[i], static_cast<quillet::TodayPage>(i), folder + "mame.ini", "", "")) status = 1;
    if (!ShootOne("game", quillet::TodayPage::Sound, folder + "ini\\puckman.ini", "puckman", "pacman")) status = 1;
    return status;
}
