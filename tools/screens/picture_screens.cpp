// Shoots the README's pictures of the picture pane: the main window over the
// installed demo catalogue with the stand-in emulator's demo pictures, a
// snapshot and then a flyer, with the list's icons on. Run by
// tools/screens.d/pictures.sh, which turns the BMP files into PNG. Nothing
// is saved: the program ends without closing the window.
// usage: picture_screens LANGUAGE_DLL OUTPUT_FOLDER START_FOLDER EMULATOR_FOLDER
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "app/main_window.h"
#include "base/globals.h"
#include "gamelist/game_list.h"
#include "pictures/picture_loader.h"
#include "pictures/picture_pane.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "settings/settings_store.h"
#include "tools/screens/window_shot.h"
#include "ui/common_controls.h"

using namespace quillet;

namespace {

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 300 && !done(); ++i) screens::PumpMessagesFor(20);
    return done();
}

bool Focus(const char* game) {
    for (int row = 0; const GameRecord* record = GameRecordAt(row); ++row) {
        if (std::strcmp(record->RomName, game) != 0) continue;
        LVITEMA item{};
        item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        item.state = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(GameListWindow, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
        SendMessageA(GameListWindow, LVM_ENSUREVISIBLE, row, FALSE);
        return WaitFor([game] { return CurrentPicture().game == game; });
    }
    return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 5) return 2;
    ProgramInstance = GetModuleHandleA(nullptr);
    ProcessHeap = GetProcessHeap();
    InitCommonControlClasses();
    LanguageModule = LoadLibraryA(__argv[1]);
    if (!LanguageModule) return 3;
    const std::string out = __argv[2];
    lstrcpynA(DatabasePath, (std::string(__argv[3]) + "\\gamelist.mdb").c_str(), sizeof DatabasePath);
    SetDefaultSettings(Settings);
    LoadSettings();
    LoadStartupTexts();
    lstrcpynA(Settings.MameDir, __argv[4], sizeof Settings.MameDir);
    Settings.Version = kSettingsVersion;
    Settings.EnableIcons = 1;
    Settings.PicturePane = 1;
    Settings.PicturePaneWidth = 0;
    Settings.PictureKind = static_cast<uint32_t>(PictureKind::Snapshot);
    HWND window = CreateMainWindow();
    if (!window) return 4;
    ShowWindow(window, SW_SHOWNORMAL);
    SetWindowPos(window, nullptr, 0, 0, 1000, 620, SWP_NOZORDER);
    if (!WaitFor([] { return SendMessageA(GameListWindow, LVM_GETITEMCOUNT, 0, 0) > 10; })) return 5;
    bool ok = Focus("galaga");
    screens::PumpMessagesFor(800);  // the icons of the rows in view
    ok = ok && screens::SaveWindowBitmap(window, out + "\\pictures-snapshot.bmp");
    StepPictureKind(2);  // flyer
    ok = ok && Focus("dkong");
    screens::PumpMessagesFor(800);
    ok = ok && screens::SaveWindowBitmap(window, out + "\\pictures-flyer.bmp");
    StopPictureThread();
    ExitProcess(ok ? 0 : 1);
}
