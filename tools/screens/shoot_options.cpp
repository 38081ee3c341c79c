// The nine pages of the emulator option sheet on an ini file, which is left
// as it was (every sheet is cancelled): options-<page>.bmp.
//
//   shoot_options LANGUAGE_DLL OUTPUT_FOLDER INI_FILE
#include <windows.h>

#include "options/options.h"
#include "settings/frontend_settings.h"
#include "tools/screens/window_shot.h"

using namespace quillet;

int main(int argc, char** argv) {
    screens::ShotRun run;
    if (!screens::StartShots(argc, argv, "shoot_options", run)) return 2;
    lstrcpyA(Settings.MameName, "C:\\MAME\\mame.exe");
    static constexpr const char* kPages[9] = {"paths",  "support", "winvideo", "corevideo", "direct3d",
                                              "vector", "sound",   "input",    "misc"};
    const bool written = screens::ShootSheetPages(run, "options", kPages, 9, [&](UINT page) {
        OpenEmulatorOptionsSheet(nullptr, static_cast<int>(page), run.input.c_str());
    });
    return written ? 0 : 1;
}
