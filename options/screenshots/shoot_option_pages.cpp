// Screenshot helper for tools/screens.d/options.sh: opens the option sheet at
// each of its nine pages on a sample ini file and saves the sheet window as
// <folder>\options-<page>.bmp, then cancels (the file is left as it was).
// usage: shoot_option_pages LANGUAGE_DLL INI_FILE OUTPUT_FOLDER
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "options/options.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "tools/screens/window_shot.h"

namespace {

constexpr const char* kPageNames[9] = {"paths", "support", "winvideo", "corevideo", "direct3d",
                                       "vector", "sound",   "input",    "misc"};
const char* outputFolder;
int currentPage;
bool saved;

void CALLBACK Shoot(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND sheet = quillet::screens::FindThreadSheet();
    if (!sheet) return;
    KillTimer(nullptr, timer);
    SetWindowPos(sheet, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
    RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    quillet::screens::PumpMessagesFor(500);
    saved = quillet::screens::SaveWindowBitmap(
        sheet, std::string(outputFolder) + "\\options-" + kPageNames[currentPage] + ".bmp");
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: shoot_option_pages LANGUAGE_DLL INI_FILE OUTPUT_FOLDER\n");
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
    std::snprintf(quillet::Settings.MameName, sizeof quillet::Settings.MameName, "C:\\MAME\\mame.exe");
    int status = 0;
    for (currentPage = 0; currentPage < 9; ++currentPage) {
        saved = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, Shoot);
        quillet::OpenEmulatorOptionsSheet(nullptr, currentPage, argv[2]);
        KillTimer(nullptr, timer);
        if (!saved) status = 1;
    }
    return status;
}
