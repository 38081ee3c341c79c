// The picture pane beside the list: the main window over a copy of the
// build's demo catalogue, with the demo pictures and icons of the emulator's
// folder, a snapshot and then a flyer: pictures-snapshot.bmp,
// pictures-flyer.bmp. Nothing is saved: the program ends without closing the
// window.
//
//   shoot_pictures LANGUAGE_DLL OUTPUT_FOLDER EMULATOR_FOLDER
//
// The catalogue is the build's gamelist.mdb, two folders above this program
// (tools\screens\shoot_pictures.exe in the build folder).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "app/main_window.h"
#include "base/globals.h"
#include "gamelist/game_list.h"
#include "pictures/picture_loader.h"
#include "pictures/picture_pane.h"
#include "settings/frontend_settings.h"
#include "tools/screens/window_shot.h"

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

int main(int argc, char** argv) {
    screens::ShotRun run;
    if (!screens::StartShots(argc, argv, "shoot_pictures", run)) return 2;

    // A copy of the build's catalogue, so its file is never touched.
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    if (length == 0 || length >= sizeof self) return 2;
    std::string build = self;
    for (int up = 0; up < 3; ++up) build.resize(build.find_last_of('\\') == std::string::npos ? 0 : build.find_last_of('\\'));
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string catalogue = std::string(temp) + "quillet_pictures_" + std::to_string(GetCurrentProcessId()) + ".mdb";
    if (build.empty() || !CopyFileA((build + "\\gamelist.mdb").c_str(), catalogue.c_str(), FALSE)) {
        std::fprintf(stderr, "shoot_pictures: no catalogue at %s\\gamelist.mdb\n", build.c_str());
        return 1;
    }
    lstrcpynA(DatabasePath, catalogue.c_str(), sizeof DatabasePath);
    std::string emulator = run.input;
    if (emulator.empty() || emulator.back() != '\\') emulator += '\\';
    lstrcpynA(Settings.MameDir, emulator.c_str(), sizeof Settings.MameDir);
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
    ok = ok && screens::SaveWindowBitmap(window, run.output + "\\pictures-snapshot.bmp");
    StepPictureKind(2);  // flyer
    ok = ok && Focus("dkong");
    screens::PumpMessagesFor(800);
    ok = ok && screens::SaveWindowBitmap(window, run.output + "\\pictures-flyer.bmp");
    StopPictureThread();
    DeleteFileA(catalogue.c_str());
    if (!ok) std::fprintf(stderr, "shoot_pictures: a picture was not taken\n");
    ExitProcess(ok ? 0 : 1);
}
