#include "tools/screens/window_shot.h"

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <type_traits>

#include "base/globals.h"
#include "base/report.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "ui/common_controls.h"

namespace quillet::screens {

namespace {

struct DeleteBitmap {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteBitmap>;

int WINAPI PrintBox(HWND, LPCSTR text, LPCSTR, UINT) {
    std::fprintf(stderr, "[message box] %s\n", text);
    return IDOK;
}

// The sheet pages' run: which picture the timer takes next.
struct PageShot {
    std::string path;
    const std::function<void(HWND sheet)>& prepare;
    bool written;
};
PageShot* pendingShot;

// Runs in the sheet's own loop: once the sheet is up and painted, shoot it
// and cancel.
VOID CALLBACK ShootSheet(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND sheet = FindThreadSheet();
    if (!sheet || !pendingShot) return;
    KillTimer(nullptr, timer);
    SetWindowPos(sheet, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
    SetForegroundWindow(sheet);
    if (pendingShot->prepare) pendingShot->prepare(sheet);
    RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessagesFor(300);
    pendingShot->written = SaveWindowBitmap(sheet, pendingShot->path);
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

BOOL CALLBACK FindSheet(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool StartShots(int argc, char** argv, const char* program, ShotRun& run) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s LANGUAGE_DLL OUTPUT_FOLDER INPUT\n", program);
        return false;
    }
    ProgramInstance = GetModuleHandleA(nullptr);
    ProcessHeap = GetProcessHeap();
    ShowMessageBox = PrintBox;
    InitCommonControlClasses();
    SetDefaultSettings(Settings);
    LanguageModule = LoadLibraryA(argv[1]);
    if (!LanguageModule) {
        std::fprintf(stderr, "%s: cannot load the language module %s\n", program, argv[1]);
        return false;
    }
    LoadStartupTexts();
    run.output = argv[2];
    run.input = argv[3];
    return true;
}

bool ShootSheetPages(const ShotRun& run, const char* prefix, const char* const* names, UINT count,
                     const std::function<void(UINT page)>& open, const std::function<void(HWND sheet)>& prepare) {
    bool all = true;
    // The first sheet of a run comes up inactive under Wine; page 0 is shot
    // once more after it, over the first picture.
    for (UINT shot = 0; shot <= count; ++shot) {
        const UINT page = shot == 0 ? 0 : shot - 1;
        PageShot pending{run.output + "\\" + prefix + "-" + names[page] + ".bmp", prepare, false};
        pendingShot = &pending;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, ShootSheet);
        open(page);
        KillTimer(nullptr, timer);
        pendingShot = nullptr;
        if (!pending.written) {
            std::fprintf(stderr, "page %u (%s) was not written\n", page, names[page]);
            all = false;
        }
    }
    return all;
}

HWND FindThreadSheet() {
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&sheet));
    return sheet;
}

void PumpMessagesFor(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    // Wakes for each message as it comes, so a paint is dispatched at once.
    for (LONG left; (left = static_cast<LONG>(end - GetTickCount())) > 0;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
        for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

bool SaveWindowBitmap(HWND window, const std::string& path) {
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const Bitmap bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bool ok = bitmap.get() != nullptr;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, bitmap.get());
        BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        SelectObject(memory, old);
        const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        const DWORD imageSize = stride * static_cast<DWORD>(height);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + imageSize;
        FILE* out = std::fopen(path.c_str(), "wb");
        ok = out != nullptr;
        if (out) {
            ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                 std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                 std::fwrite(bits, imageSize, 1, out) == 1;
            ok = std::fclose(out) == 0 && ok;
        }
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace quillet::screens
