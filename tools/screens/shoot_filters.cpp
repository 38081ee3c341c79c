// The filter sheet at each of its nine pages over a copy of a catalogue (the
// build's demo catalogue), with a few modes other than "all" so the pictures
// show their controls in use: filter-<page>.bmp.
//
//   shoot_filters LANGUAGE_DLL OUTPUT_FOLDER CATALOGUE
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "db/database.h"
#include "filters/filter_sheet.h"
#include "settings/frontend_settings.h"
#include "tools/screens/window_shot.h"

using namespace quillet;

namespace {

constexpr const char* kPageNames[9] = {"name",  "romstatus", "driver",     "year",     "manufacturer",
                                       "video", "palette",   "resolution", "frequency"};

}  // namespace

int main(int argc, char** argv) {
    screens::ShotRun run;
    if (!screens::StartShots(argc, argv, "shoot_filters", run)) return 2;

    // A copy of the catalogue, so its file is never touched.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string catalogue = std::string(temp) + "quillet_screens_" + std::to_string(GetCurrentProcessId()) + ".mdb";
    if (!CopyFileA(run.input.c_str(), catalogue.c_str(), FALSE) ||
        !ConnectDatabase(nullptr, catalogue.c_str(), &Settings.Filter.Query)) {
        std::fprintf(stderr, "the catalogue %s cannot be opened\n", run.input.c_str());
        return 1;
    }
    FilterSettings& f = Settings.Filter;
    f.FilYearRadio = 11303;
    f.FilYearStart = 1980;
    f.FilYearEnd = 1989;
    f.FilPaletteRadio = 11606;
    std::strcpy(f.FilPaletteEnd, "65536");
    f.FilResoRadio = 11705;
    std::strcpy(f.FilResoOnly, "288x224");

    const bool written = screens::ShootSheetPages(run, "filter", kPageNames, 9,
                                                  [](UINT page) { ShowFilterSheet(nullptr, page); });
    DisconnectDatabase();
    for (const char* suffix : {"", "-wal", "-shm"}) DeleteFileA((catalogue + suffix).c_str());
    return written ? 0 : 1;
}
