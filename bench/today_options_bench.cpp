// today_options_bench: today's settings sheet on a 404-line mame.ini (the
// real 0.251 file when the shared folder is there, else the stand-in's own
// -showconfig text), under Wine with the stand-in emulator answering as
// today's MAME.
//
//   today_options_bench [--rounds N]
//
// Each figure is taken --rounds times (default 5), shown as best and median:
//   first open  OpenTodaySheet until the sheet is up, with both captures of
//               the stand-in (-showconfig, -showusage) under the progress
//               dialog; the option list is forgotten before each round
//   open        the same with the option list in memory
//   save        one option changed in the line model, the text made and the
//               file replaced (.bak kept), as OK does after an apply
// The sheet is seen by a 1 ms timer, so the open figures are up to that
// much late. Targets: first open under 1 s, open under 0.15 s, save under
// 0.05 s.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/bench_support.h"
#include "options/emulator_texts.h"
#include "options/ini_files.h"
#include "options/today_ini.h"
#include "options/today_sheet.h"

using namespace quillet;
using namespace quillet::bench;

namespace {

void Report(const Figure& f) {
    const double median = f.Median();
    std::printf("  %-34s best %7.3f s  median %7.3f s", f.label.c_str(), f.Best(), median);
    if (f.target > 0) std::printf("   target < %.2f s: %s", f.target, median < f.target ? "met" : "MISSED");
    std::printf("\n");
}

double opened;

BOOL CALLBACK FindSheet(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD) {
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (!sheet || opened > 0) return;
    opened = Now();
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
}

double TimeOpen(const std::string& ini) {
    opened = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, Watch);
    const double start = Now();
    OpenTodaySheet(nullptr, TodayPage::Paths, ini, "");
    KillTimer(nullptr, timer);
    return opened > 0 ? opened - start : 0;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 5;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--rounds") == 0) rounds = std::atoi(argv[i + 1]);
    if (!StartBenchProgram(PrintBox)) return 1;

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "today_bench_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string exe = folder + "\\mame.exe", ini = folder + "\\mame.ini";
    if (!CopyFileA(WindowsBuildPath("fakemame.exe").c_str(), exe.c_str(), FALSE)) {
        std::fprintf(stderr, "fakemame.exe of the build is missing\n");
        return 1;
    }
    CloseHandle(CreateFileA((folder + "\\fakemame.today").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::snprintf(Settings.MameName, sizeof Settings.MameName, "%s", exe.c_str());
    DeriveEmulatorPaths(Settings);

    // The file: what the stand-in prints for -showconfig, in CRLF.
    ForgetEmulatorTexts();
    std::string text;
    for (char c : TodayEmulatorTexts(nullptr).config) {
        if (c == '\n') text += '\r';
        text += c;
    }
    size_t lines = 0;
    for (char c : text) lines += c == '\n';
    HANDLE file = CreateFileA(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    std::printf("today's settings sheet on a %zu-line mame.ini, %d rounds\n", lines, rounds);

    Figure first{"first open (both captures)", 1.0, {}}, open{"open (option list in memory)", 0.15, {}},
        save{"save of one changed option", 0.05, {}};
    for (int r = 0; r < rounds; ++r) {
        ForgetEmulatorTexts();
        first.seconds.push_back(TimeOpen(ini));
        open.seconds.push_back(TimeOpen(ini));
        const double start = Now();
        std::string bytes;
        ReadIniForEditing(nullptr, ini, bytes);
        TodayIni model = ReadTodayIni(bytes);
        SetTodayIniValue(model, "rompath", r % 2 ? "roms" : "D:\\My Roms;roms", "CORE SEARCH PATH OPTIONS");
        WriteIniFile(nullptr, ini.c_str(), WriteTodayIni(model));
        save.seconds.push_back(Now() - start);
    }
    for (int r = 0; r < rounds; ++r) std::printf("  round %d: first %.3f open %.3f save %.3f\n", r, first.seconds[r], open.seconds[r], save.seconds[r]);
    Report(first);
    Report(open);
    Report(save);
    for (const char* name : {"mame.exe", "mame.ini", "mame.ini.bak", "mame.ini.orig", "fakemame.today"})
        DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
