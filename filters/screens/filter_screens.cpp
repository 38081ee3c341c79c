// filter_screens: opens the filter sheet at each of its nine pages over the
// build's demo catalogue and writes a picture of the sheet, frame included,
// as filter-<page>.bmp into the folder given (tools/screens.d/filters.sh
// turns them into the README's PNG files).
//
//   filter_screens <build folder> <output folder> [language]
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/globals.h"
#include "base/report.h"
#include "db/database.h"
#include "filters/filter_sheet.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "tools/screens/window_shot.h"

using namespace quillet;

namespace {

constexpr const char* kPageNames[9] = {"name",  "romstatus", "driver",     "year",     "manufacturer",
                                       "video", "palette",   "resolution", "frequency"};

std::string outputFolder;
UINT currentPage;
bool written;

// Runs in the sheet's own loop: once the sheet is up and painted, shoot it
// and cancel.
VOID CALLBACK Shoot(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND sheet = screens::FindThreadSheet();
    if (!sheet) return;
    KillTimer(nullptr, timer);
    SetWindowPos(sheet, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
    SetForegroundWindow(sheet);
    RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    screens::PumpMessagesFor(300);
    written = screens::SaveWindowBitmap(sheet, outputFolder + "\\filter-" + kPageNames[currentPage] + ".bmp");
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

int WINAPI PrintBox(HWND, LPCSTR text, LPCSTR, UINT) {
    std::fprintf(stderr, "[message box] %s\n", text);
    return IDOK;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: filter_screens <build folder> <output folder> [language]\n");
        return 2;
    }
    const std::string build = argv[1];
    outputFolder = argv[2];
    const std::string language = argc > 3 ? argv[3] : "english";

    ProgramInstance = GetModuleHandleA(nullptr);
    ProcessHeap = GetProcessHeap();
    ShowMessageBox = PrintBox;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    SetDefaultSettings(Settings);
    LanguageModule = LoadLibraryA((build + "\\languages\\" + language + ".dll").c_str());
    if (!LanguageModule) {
        std::fprintf(stderr, "no language module %s in %s\\languages\n", language.c_str(), build.c_str());
        return 1;
    }
    LoadStartupTexts();

    // A copy of the demo catalogue, so its file is never touched.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string catalogue = std::string(temp) + "quillet_screens_" + std::to_string(GetCurrentProcessId()) + ".mdb";
    if (!CopyFileA((build + "\\gamelist.mdb").c_str(), catalogue.c_str(), FALSE) ||
        !ConnectDatabase(nullptr, catalogue.c_str(), &Settings.Filter.Query)) {
        std::fprintf(stderr, "the demo catalogue %s\\gamelist.mdb cannot be opened\n", build.c_str());
        return 1;
    }
    // A few modes other than "all", so the pictures show their controls in use.
    FilterSettings& f = Settings.Filter;
    f.FilYearRadio = 11303;
    f.FilYearStart = 1980;
    f.FilYearEnd = 1989;
    f.FilPaletteRadio = 11606;
    std::strcpy(f.FilPaletteEnd, "65536");
    f.FilResoRadio = 11705;
    std::strcpy(f.FilResoOnly, "288x224");

    int status = 0;
    // The first sheet of the run comes up inactive under Wine; page 0 is
    // shot once more after it, over the first picture.
    for (UINT shot = 0; shot < 10; ++shot) {
        currentPage = shot == 0 ? 0 : shot - 1;
        written = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, Shoot);
        ShowFilterSheet(nullptr, currentPage);
        KillTimer(nullptr, timer);
        if (!written) {
            std::fprintf(stderr, "page %u (%s) was not written\n", currentPage, kPageNames[currentPage]);
            status = 1;
        }
    }
    DisconnectDatabase();
    for (const char* suffix : {"", "-wal", "-shm"}) DeleteFileA((catalogue + suffix).c_str());
    return status;
}
