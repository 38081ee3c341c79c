#include "app/application.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cwchar>

#include "base/globals.h"
#include "app/catalogue_location.h"
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

void NoteProgramDirectory() {
    const DWORD length = GetModuleFileNameW(nullptr, ProgramDirectory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        ProgramDirectory[0] = L'\0';
        return;
    }
    WCHAR* slash = std::wcsrchr(ProgramDirectory, L'\\');
    if (slash) *slash = L'\0';
    else ProgramDirectory[0] = L'\0';
}

void HardenLibrarySearch() {
    // The current directory leaves the search order on every Windows...
    SetDllDirectoryW(L"");
    // ...and where the loader knows it (Windows 8 on, Windows 7 with its
    // update), only the program's folder and the system's are searched. Looked
    // up at run time so that a Windows 7 without the update still starts.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    constexpr DWORD kSearchDefaultDirs = 0x00001000;  // LOAD_LIBRARY_SEARCH_DEFAULT_DIRS
    if (setDefault) setDefault(kSearchDefaultDirs);
}

void RunApplication() {
    HardenLibrarySearch();
    HANDLE mutex = CreateMutexA(nullptr, TRUE, kMutexName);
    if (GetLastError() != ERROR_SUCCESS) ExitProcess(0);

    ProgramInstance = GetModuleHandleA(nullptr);
    ProcessHeap = GetProcessHeap();
    RegisterLinkClasses();
    InitCommonControlClasses();
    NoteProgramDirectory();
    LocateCatalogue();
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
