// Screenshot helper for tools/screens.d/options.sh: opens the option sheet at
// each of its nine pages on a sample ini file and saves the sheet window as
// <folder>\options-<page>.bmp, then cancels (the file is left as it was).
// usage: shoot_option_pages LANGUAGE_DLL INI_FILE OUTPUT_FOLDER
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cstring>

#include "options/options.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"

namespace {

constexpr const char* kPageNames[9] = {"paths", "support", "winvideo", "corevideo", "direct3d",
                                       "vector", "sound",   "input",    "misc"};
const char* outputFolder;
int currentPage;
bool saved;

bool SaveWindowBitmap(HWND window, const char* path) {
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    SelectObject(memory, old);
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) & ~3u);
    const DWORD size = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + size;
    bool ok = false;
    if (FILE* out = std::fopen(path, "wb")) {
        ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
             std::fwrite(bits, size, 1, out) == 1;
        std::fclose(out);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

BOOL CALLBACK FindSheet(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK Shoot(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (!sheet) return;
    KillTimer(nullptr, timer);
    SetWindowPos(sheet, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
    RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const DWORD end = GetTickCount() + 500;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%s\\options-%s.bmp", outputFolder, kPageNames[currentPage]);
    saved = SaveWindowBitmap(sheet, path);
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
