#include "preferences/preferences.h"

#include <shellapi.h>

#include "base/globals.h"

namespace quillet {

namespace {

constexpr char kWebLinkClass[] = "WEBLINK";
constexpr char kMailLinkClass[] = "MAILLINK";

// Class extra memory of each link class: the link font, shared by the
// class's windows, and the number of windows using it. The font is made by
// the first link of the class and deleted with the last, so a second link
// neither leaks a font nor leaves the first painting with a deleted one.
constexpr int kFontSlot = 0;
constexpr int kUsersSlot = sizeof(LONG_PTR);
constexpr int kClassExtra = 2 * sizeof(LONG_PTR);

// Texts shown and opened by a web link are cut to this length.
constexpr int kShownLength = 39;
constexpr char kMailPrefix[] = "mailto:";
constexpr int kMailTextRoom = 100;  // the control text, with its zero

WNDPROC staticProc;  // the procedure of "Static", for everything else

HFONT CreateLinkFont() {
    return CreateFontA(16, 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, nullptr);
}

void AddFontUser(HWND window) {
    const LONG_PTR users = GetClassLongPtrA(window, kUsersSlot);
    if (users == 0 || GetClassLongPtrA(window, kFontSlot) == 0)
        SetClassLongPtrA(window, kFontSlot, reinterpret_cast<LONG_PTR>(CreateLinkFont()));
    SetClassLongPtrA(window, kUsersSlot, users + 1);
}

void ReleaseFontUser(HWND window) {
    const LONG_PTR users = GetClassLongPtrA(window, kUsersSlot) - 1;
    SetClassLongPtrA(window, kUsersSlot, users > 0 ? users : 0);
    if (users > 0) return;
    DeleteObject(reinterpret_cast<HFONT>(GetClassLongPtrA(window, kFontSlot)));
    SetClassLongPtrA(window, kFontSlot, 0);
}

void OpenWithShell(const char* target) { ShellExecuteA(nullptr, "open", target, nullptr, nullptr, SW_SHOWMAXIMIZED); }

void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(GetClassLongPtrA(window, kFontSlot)));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, RGB(0, 0, 255));
    char text[kShownLength + 1];
    const int length = GetWindowTextA(window, text, sizeof text);
    TextOutA(dc, 0, 0, text, length);
    SelectObject(dc, oldFont);
    EndPaint(window, &paint);
}

void RegisterLinkClass(WNDCLASSEXA info, const char* name, WNDPROC procedure) {
    info.cbSize = sizeof info;
    info.style = CS_GLOBALCLASS;
    info.lpfnWndProc = procedure;
    info.hInstance = ProgramInstance;
    info.lpszClassName = name;
    RegisterClassExA(&info);
}

}  // namespace

LRESULT CALLBACK WebLinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: AddFontUser(window); return 0;
    case WM_LBUTTONDOWN: {
        char text[kShownLength + 1];
        GetWindowTextA(window, text, sizeof text);
        OpenWithShell(text);
        return 0;
    }
    case WM_PAINT: OnPaint(window); return 0;
    case WM_DESTROY: ReleaseFontUser(window); return 0;
    default: return CallWindowProcA(staticProc, window, message, wParam, lParam);
    }
}

LRESULT CALLBACK MailLinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_LBUTTONDOWN) return WebLinkProc(window, message, wParam, lParam);
    char address[sizeof kMailPrefix - 1 + kMailTextRoom] = "mailto:";
    GetWindowTextA(window, address + sizeof kMailPrefix - 1, kMailTextRoom);
    OpenWithShell(address);
    return 0;
}

void RegisterLinkClasses() {
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    if (!GetClassInfoExA(nullptr, "Static", &info)) return;
    staticProc = info.lpfnWndProc;
    info.cbClsExtra = kClassExtra;
    info.hCursor = LoadCursorA(nullptr, IDC_HAND);
    RegisterLinkClass(info, kWebLinkClass, WebLinkProc);
    // MAILLINK is WEBLINK's copy with its own procedure (and its own slots).
    WNDCLASSEXA web{};
    web.cbSize = sizeof web;
    if (GetClassInfoExA(ProgramInstance, kWebLinkClass, &web)) RegisterLinkClass(web, kMailLinkClass, MailLinkProc);
}

}  // namespace quillet
