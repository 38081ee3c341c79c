#include "app/application.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>

#include "base/globals.h"
#include "app/main_window.h"
#include "base/report.h"
#include "preferences/preferences.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "settings/settings_store.h"
#include "ui/common_controls.h"

namespace quillet {

namespace {

constexpr char kMutexName[] = "HalvornQuilletMutex";
// Shown when no language module can be loaded: there are no texts then.
constexpr char kNoLanguageText[] =
    "Quillet cannot start: no language module could be loaded.\r\n"
    "Check that the \"languages\" folder next to the program holds english.dll, "
    "then reinstall Quillet if it does not.";

}  // namespace

void NoteStartDirectory() {
    const DWORD length = GetCurrentDirectoryA(sizeof StartDirectory, StartDirectory);
    if (length == 0 || length >= sizeof StartDirectory) StartDirectory[0] = '\0';
    size_t n = std::strlen(StartDirectory);
    if (n > 0 && StartDirectory[n - 1] == '\\') StartDirectory[--n] = '\0';
    const int written = std::snprintf(DatabasePath, sizeof DatabasePath, "%s\\gamelist.mdb", StartDirectory);
    if (written < 0 || static_cast<size_t>(written) >= sizeof DatabasePath) DatabasePath[0] = '\0';
}

void RunApplication() {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, kMutexName);
    if (GetLastError() != ERROR_SUCCESS) ExitProcess(0);

    ProgramInstance = GetModuleHandleA(nullptr);
    ProcessHeap = GetProcessHeap();
    RegisterLinkClasses();
    InitCommonControlClasses();
    NoteStartDirectory();
    SetDefaultSettings(Settings);
    LoadSettings();
    if (!LoadLanguageModule()) {
        ShowMessageBox(nullptr, kNoLanguageText, kWindowTitle, MB_OK | MB_ICONERROR);
        CloseHandle(mutex);
        ExitProcess(1);
    }
    LoadStartupTexts();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    RunMainWindow();

    DestroyMenu(MainMenu);
    CoUninitialize();
    CloseHandle(mutex);
    ExitProcess(0);
}

}  // namespace quillet
