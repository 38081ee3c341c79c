#include "pictures/picture_pane.h"

#include <commctrl.h>

#include "base/globals.h"
#include "pictures/game_icons.h"
#include "pictures/picture_loader.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"

namespace quillet {

HWND PicturePaneWindow;

namespace {

// Sizes at 96 dots per inch; scaled by the window's own.
constexpr int kDefaultWidth = 320;
constexpr int kMinWidth = 120;
constexpr int kMinListWidth = 200;
constexpr int kSplitterWidth = 5;
constexpr int kMargin = 4;

HWND kindBox;
HWND listWindow;           // the game list beside the pane: Tab goes there
bool dragging;
int dragOffset;            // where in the splitter it was taken
uint32_t serial;
std::string shownGame;     // the focused game
std::string shownParent;
std::wstring description;  // shown when there is no picture
PicturePtr picture;        // null: none (yet)
std::string pictureOf;     // the game whose search ended last ("" while one runs)

int Dpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpi && window)
        if (const UINT dpi = getDpi(window)) return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int Scaled(int pixels) { return MulDiv(pixels, Dpi(PicturePaneWindow), 96); }

PictureKind Kind() {
    return static_cast<PictureKind>(Settings.PictureKind < kPictureKindCount ? Settings.PictureKind : 0);
}

void Relayout() {
    HWND main = GetParent(PicturePaneWindow);
    RECT client;
    GetClientRect(main, &client);
    SendMessageA(main, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void Request() {
    if (!PicturePaneShown() || shownGame.empty()) return;
    pictureOf.clear();
    RequestPicture(++serial, Kind(), shownGame, shownParent);
}

// The area below the kind box, right of the splitter.
RECT PictureArea() {
    RECT client, box{};
    GetClientRect(PicturePaneWindow, &client);
    if (kindBox) {
        GetWindowRect(kindBox, &box);
        MapWindowPoints(nullptr, PicturePaneWindow, reinterpret_cast<POINT*>(&box), 2);
    }
    const int margin = Scaled(kMargin);
    RECT area{Scaled(kSplitterWidth) + margin, box.bottom + margin, client.right - margin, client.bottom - margin};
    if (area.right < area.left) area.right = area.left;
    if (area.bottom < area.top) area.bottom = area.top;
    return area;
}

// The picture's place: as large as the area allows, its shape kept, centred.
RECT FitPicture(const RECT& area, int width, int height) {
    const int roomW = area.right - area.left, roomH = area.bottom - area.top;
    if (width <= 0 || height <= 0 || roomW <= 0 || roomH <= 0) return RECT{};
    int w = roomW, h = MulDiv(height, roomW, width);
    if (h > roomH) {
        h = roomH;
        w = MulDiv(width, roomH, height);
    }
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    const int x = area.left + (roomW - w) / 2, y = area.top + (roomH - h) / 2;
    return RECT{x, y, x + w, y + h};
}

void Paint(HWND window, HDC target) {
    RECT client;
    GetClientRect(window, &client);
    // Drawn off screen and copied at once: no flicker while the list scrolls.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP buffer = CreateCompatibleBitmap(target, client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1);
    HGDIOBJ oldBitmap = SelectObject(dc, buffer);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    RECT splitter{0, 0, Scaled(kSplitterWidth), client.bottom};
    FillRect(dc, &splitter, GetSysColorBrush(COLOR_BTNFACE));
    const RECT area = PictureArea();
    if (picture) {
        const RECT place = FitPicture(area, picture->width, picture->height);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = picture->width;
        info.bmiHeader.biHeight = -picture->height;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchDIBits(dc, place.left, place.top, place.right - place.left, place.bottom - place.top, 0, 0,
                      picture->width, picture->height, picture->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    } else if (!description.empty()) {
        RECT text = area;
        HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        RECT measure = text;
        DrawTextW(dc, description.c_str(), static_cast<int>(description.size()), &measure,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_CENTER);
        const int offset = ((text.bottom - text.top) - (measure.bottom - measure.top)) / 2;
        if (offset > 0) text.top += offset;
        DrawTextW(dc, description.c_str(), static_cast<int>(description.size()), &text,
                  DT_WORDBREAK | DT_NOPREFIX | DT_CENTER | DT_END_ELLIPSIS);
        SelectObject(dc, oldFont);
    }
    if (GetFocus() == window) {
        RECT focus = area;
        InflateRect(&focus, Scaled(2), Scaled(2));
        DrawFocusRect(dc, &focus);
    }
    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(buffer);
    DeleteDC(dc);
}

void FillKindBox() {
    for (uint32_t i = 0; i < kPictureKindCount; ++i) {
        wchar_t text[64];
        if (LoadStringW(LanguageModule, IDS_PICTURE_KIND_FIRST + i, text, 64) <= 0) text[0] = L'\0';
        SendMessageW(kindBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(kindBox, CB_SETCURSEL, static_cast<WPARAM>(Kind()), 0);
}

void PlaceKindBox(int width) {
    const int left = Scaled(kSplitterWidth) + Scaled(kMargin);
    const int boxWidth = width - left - Scaled(kMargin);
    SetWindowPos(kindBox, nullptr, left, Scaled(kMargin), boxWidth > 20 ? boxWidth : 20, Scaled(200),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetKind(uint32_t kind) {
    Settings.PictureKind = kind % kPictureKindCount;
    SendMessageW(kindBox, CB_SETCURSEL, Settings.PictureKind, 0);
    Request();
}

bool OnSplitter(int x) { return x >= 0 && x < Scaled(kSplitterWidth); }

void Drag(HWND window, int x) {
    HWND main = GetParent(window);
    RECT client;
    GetClientRect(main, &client);
    POINT at{x - dragOffset, 0};
    MapWindowPoints(window, main, &at, 1);
    const int width = client.right - at.x;
    // Kept at 96 DPI, so the pane keeps its share on a screen of another DPI.
    Settings.PicturePaneWidth = static_cast<uint32_t>(width > 0 ? MulDiv(width, 96, Dpi(window)) : 0);
    Relayout();
}

LRESULT CALLBACK PaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        PicturePaneWindow = window;
        kindBox = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                  0, 0, 100, 200, window, reinterpret_cast<HMENU>(IDC_PICTURE_KIND), ProgramInstance,
                                  nullptr);
        SendMessageW(kindBox, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        FillKindBox();
        return 0;
    case WM_SIZE:
        PlaceKindBox(LOWORD(lParam));
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        Paint(window, dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: Paint(window, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(window, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
        if (OnSplitter(static_cast<short>(LOWORD(lParam)))) {
            dragging = true;
            dragOffset = static_cast<short>(LOWORD(lParam));
            SetCapture(window);
        } else {
            SetFocus(window);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (dragging) Drag(window, static_cast<short>(LOWORD(lParam)));
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (dragging) {
            dragging = false;
            if (message == WM_LBUTTONUP) ReleaseCapture();
        }
        return 0;
    case WM_SETCURSOR: {
        POINT at;
        GetCursorPos(&at);
        ScreenToClient(window, &at);
        if (reinterpret_cast<HWND>(wParam) == window && OnSplitter(at.x)) {
            SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        break;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTTAB;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_TAB: SetFocus(listWindow); return 0;
        case VK_RIGHT: case VK_DOWN: case VK_NEXT: case VK_SPACE: StepPictureKind(1); return 0;
        case VK_LEFT: case VK_UP: case VK_PRIOR: StepPictureKind(-1); return 0;
        default: break;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_PICTURE_KIND && HIWORD(wParam) == CBN_SELCHANGE) {
            const LRESULT chosen = SendMessageW(kindBox, CB_GETCURSEL, 0, 0);
            if (chosen >= 0) SetKind(static_cast<uint32_t>(chosen));
            return 0;
        }
        if (LOWORD(wParam) == IDC_PICTURE_KIND && HIWORD(wParam) == CBN_CLOSEUP) {
            SetFocus(window);
            return 0;
        }
        break;
    case kPictureDoneMessage: {
        PicturePtr done;
        if (static_cast<uint32_t>(wParam) == serial && TakePicture(serial, done)) {
            picture = std::move(done);
            pictureOf = shownGame;
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    }
    case WM_DESTROY:
        StopPictureThread();
        PicturePaneWindow = nullptr;
        kindBox = nullptr;
        picture.reset();
        return 0;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreatePicturePane(HWND mainWindow, HWND list) {
    listWindow = list;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PaneProc;
    wc.hInstance = ProgramInstance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"QuilletPicturePane";
    RegisterClassExW(&wc);
    const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_TABSTOP | (Settings.PicturePane ? WS_VISIBLE : 0);
    HWND pane = CreateWindowExW(WS_EX_CONTROLPARENT, wc.lpszClassName, L"", style, 0, 0, 0, 0, mainWindow,
                                reinterpret_cast<HMENU>(IDC_PICTURE_PANE), ProgramInstance, nullptr);
    CheckMenuItem(GetMenu(mainWindow), IDM_PICTURE_PANE, MF_BYCOMMAND | (Settings.PicturePane ? MF_CHECKED : MF_UNCHECKED));
    StartPictureThread(pane, nullptr);
    return pane;
}

void ClosePicturePane() { StopPictureThread(); }

int PicturePaneWidth(int clientWidth) {
    if (!PicturePaneShown()) return 0;
    const int stored = Settings.PicturePaneWidth <= 0x7FFF ? static_cast<int>(Settings.PicturePaneWidth) : 0;
    int width = Scaled(stored ? stored : kDefaultWidth);
    if (width > clientWidth - Scaled(kMinListWidth)) width = clientWidth - Scaled(kMinListWidth);
    if (width < Scaled(kMinWidth)) width = Scaled(kMinWidth);
    return width;
}

void PlacePicturePane(int clientWidth, int top, int height) {
    if (!PicturePaneWindow) return;
    const int width = PicturePaneWidth(clientWidth);
    MoveWindow(PicturePaneWindow, clientWidth - width, top, width, height > 0 ? height : 0, TRUE);
}

bool PicturePaneShown() { return PicturePaneWindow && Settings.PicturePane != 0; }

void ShowPicturePane(bool shown) {
    Settings.PicturePane = shown ? 1 : 0;
    if (!PicturePaneWindow) return;
    if (!shown && GetFocus() && (GetFocus() == PicturePaneWindow || IsChild(PicturePaneWindow, GetFocus())))
        SetFocus(listWindow);
    ShowWindow(PicturePaneWindow, shown ? SW_SHOW : SW_HIDE);
    CheckMenuItem(GetMenu(GetParent(PicturePaneWindow)), IDM_PICTURE_PANE, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
    Relayout();
    if (shown) Request();
}

void StepPictureKind(int step) {
    SetKind((Settings.PictureKind % kPictureKindCount + kPictureKindCount + static_cast<uint32_t>(step)) % kPictureKindCount);
}

void ShowPictureOf(const std::string& game, const std::string& parent, const std::wstring& text) {
    if (game == shownGame && parent == shownParent && text == description) return;
    shownGame = game;
    shownParent = parent;
    description = text;
    if (game.empty()) {
        picture.reset();
        pictureOf.clear();
        ++serial;
        if (PicturePaneWindow) InvalidateRect(PicturePaneWindow, nullptr, FALSE);
        return;
    }
    Request();
}

void RefreshPictures() {
    ForgetCachedPictures();
    ForgetGameIcons();
    Request();
}

PicturePaneState CurrentPicture() {
    return {pictureOf, picture != nullptr, picture ? picture->width : 0, picture ? picture->height : 0};
}

RECT PictureRect() {
    if (!picture || !PicturePaneWindow) return RECT{};
    return FitPicture(PictureArea(), picture->width, picture->height);
}

}  // namespace quillet
