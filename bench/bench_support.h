// What the Windows benchmarks share: the clock, figures taken over several
// rounds with their best and median, the build's own files by Windows path,
// the start-up steps they need, and a main window holding the game list
// beside a silent window that stands in for the progress dialog.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "base/globals.h"
#include "base/progress.h"
#include "base/report.h"
#include "gamelist/game_list.h"
#include "pictures/picture_loader.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"

namespace quillet::bench {

// Seconds on the performance counter.
inline double Now() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One measured step, a time per round.
struct Figure {
    std::string label;
    double target;  // seconds the median should stay under; 0: none
    std::vector<double> seconds;

    double Best() const { return seconds.empty() ? 0 : *std::min_element(seconds.begin(), seconds.end()); }
    double Median() const {
        if (seconds.empty()) return 0;
        std::vector<double> s = seconds;
        std::sort(s.begin(), s.end());
        return s[s.size() / 2];
    }
};

// A file of the build (QUILLET_BUILD_DIR) as Wine's Z: drive shows it.
inline std::string WindowsBuildPath(const char* relative) {
    std::string p = std::string("Z:") + QUILLET_BUILD_DIR + "/" + relative;
    std::replace(p.begin(), p.end(), '/', '\\');
    return p;
}

// A message box, printed on stderr instead of shown.
inline int WINAPI PrintBox(HWND, LPCSTR text, LPCSTR, UINT) {
    std::fprintf(stderr, "[message box] %s\n", text);
    return IDOK;
}

// The program's start-up as far as a benchmark needs it: instance, heap,
// message boxes through `showBox`, common controls, default settings and the
// English module of the build with its start-up texts. False, said on
// stderr, when the module is missing.
inline bool StartBenchProgram(MessageBoxFunction showBox) {
    ProgramInstance = GetModuleHandleA(nullptr);
    ProcessHeap = GetProcessHeap();
    ShowMessageBox = showBox;
    InitCommonControls();
    SetDefaultSettings(Settings);
    LanguageModule = LoadLibraryA(WindowsBuildPath("languages/english.dll").c_str());
    if (!LanguageModule) {
        std::fprintf(stderr, "languages/english.dll of the build is missing\n");
        return false;
    }
    LoadStartupTexts();
    return true;
}

// A fresh copy of the build's schema-only catalogue at `path`; false, said
// on stderr, when the build has none.
inline bool CopyEmptyCatalogue(const std::string& path) {
    if (CopyFileA(WindowsBuildPath("gamelist_empty.mdb").c_str(), path.c_str(), FALSE)) return true;
    std::fprintf(stderr, "gamelist_empty.mdb of the build is missing\n");
    return false;
}

// A copy of the schema-only catalogue in a folder of its own under the
// temporary folder, removed with SQLite's journal files when it goes.
class ScratchCatalogue {
public:
    explicit ScratchCatalogue(const char* name) {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + name + "_" + std::to_string(GetCurrentProcessId());
        path_ = folder_ + "\\gamelist.mdb";
        CreateDirectoryA(folder_.c_str(), nullptr);
        ok_ = CopyEmptyCatalogue(path_);
    }
    ~ScratchCatalogue() {
        for (const char* file : {"gamelist.mdb", "gamelist.mdb-wal", "gamelist.mdb-shm"})
            DeleteFileA((folder_ + "\\" + file).c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    ScratchCatalogue(const ScratchCatalogue&) = delete;
    ScratchCatalogue& operator=(const ScratchCatalogue&) = delete;
    bool ok() const { return ok_; }
    const std::string& path() const { return path_; }

private:
    std::string folder_, path_;
    bool ok_ = false;
};

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The game list fills the main window and gets its notifications.
inline LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == GameListWindow) return GameListNotify(window, header);
        return 0;
    }
    case WM_SIZE: MoveWindow(GameListWindow, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Takes the progress messages and the close that a worker sends its dialog.
inline LRESULT CALLBACK SilentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message >= WMU_PROGRESS_COUNT && message <= WMU_PROGRESS_STEP) || message == WM_CLOSE) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

inline HWND CreateWindowOfClass(const char* name, const char* title, WNDPROC procedure, DWORD style, int width,
                                int height) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = ProgramInstance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return CreateWindowExA(0, name, title, style, 0, 0, width, height, nullptr, nullptr, ProgramInstance, nullptr);
}

// Creates MainWindow, shown at 1024x700 with the game list filling it, and
// returns the silent stand-in for the progress dialog.
inline HWND CreateBenchWindows(const char* title) {
    MainWindow = CreateWindowOfClass("QuilletBenchMain", title, MainProcedure, WS_OVERLAPPEDWINDOW, 1024, 700);
    const HWND silent = CreateWindowOfClass("QuilletBenchSilent", title, SilentProcedure, WS_POPUP, 10, 10);
    CreateGameList(MainWindow, Settings.ListLayout);
    // The list's icons start the picture thread; it is joined before the
    // process's statics go, as the program's window does on closing.
    static const bool joinedAtExit = std::atexit([] { StopPictureThread(); }) == 0;
    (void)joinedAtExit;
    ShowWindow(MainWindow, SW_SHOW);
    SendMessageA(MainWindow, WM_SIZE, 0, MAKELPARAM(1024, 700));
    Pump();
    return silent;
}

}  // namespace quillet::bench
