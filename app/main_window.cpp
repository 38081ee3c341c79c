#include "app/main_window.h"

#include <commctrl.h>

#include <cstring>

#include "base/dpi.h"
#include "base/globals.h"
#include "app/finding.h"
#include "app/launch.h"
#include "base/progress.h"
#include "base/report.h"
#include "catalogue/catalogue.h"
#include "db/database.h"
#include "documents/documents.h"
#include "filters/filter_sheet.h"
#include "gamelist/game_list.h"
#include "options/options.h"
#include "pictures/game_icons.h"
#include "pictures/picture_pane.h"
#include "preferences/preferences.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "settings/settings_store.h"

namespace quillet {

HWND MainWindow;
HWND RebarWindow;
HWND ToolbarWindow;
HWND StatusBarWindow;

namespace {

constexpr char kMainClass[] = "Quillet";

const TBBUTTON MainToolbarButtons[8] = {
    {0, IDM_REBUILD, TBSTATE_ENABLED, BTNS_BUTTON, {}, 1, 0},
    {-1, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
    {1, IDM_VIEW_LARGE, TBSTATE_ENABLED, BTNS_CHECKGROUP, {}, 0, 0},
    {2, IDM_VIEW_SMALL, TBSTATE_ENABLED, BTNS_CHECKGROUP, {}, 0, 0},
    {3, IDM_VIEW_LIST, TBSTATE_ENABLED, BTNS_CHECKGROUP, {}, 0, 0},
    {4, IDM_VIEW_DETAILS, TBSTATE_ENABLED, BTNS_CHECKGROUP, {}, 0, 0},
    {-1, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
    {5, IDM_ABOUT, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
};

constexpr DWORD kRebarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER |
                              RBS_DBLCLKTOGGLE | RBS_AUTOSIZE | RBS_BANDBORDERS;
static_assert(kRebarStyle == 0x5680A400);
constexpr DWORD kToolbarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                CCS_NODIVIDER | CCS_NORESIZE;
static_assert(kToolbarStyle == 0x54000944);
constexpr UINT kBandStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS | RBBS_USECHEVRON;
static_assert(kBandStyle == 0x284);

// View command -> list-view style bits.
DWORD ViewBits(UINT command) {
    switch (command) {
    case IDM_VIEW_LARGE: return LVS_ICON;
    case IDM_VIEW_SMALL: return LVS_SMALLICON;
    case IDM_VIEW_LIST: return LVS_LIST;
    default: return LVS_REPORT;
    }
}

// Presses the command's button and moves the menu's check mark to it.
void MarkViewCommand(HWND window, UINT command) {
    SendMessageA(ToolbarWindow, TB_CHECKBUTTON, command, MAKELPARAM(TRUE, 0));
    HMENU menu = GetMenu(window);
    CheckMenuItem(menu, ShownViewCommand(Settings.ListLayout.ListViewMode), MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(menu, command, MF_BYCOMMAND | MF_CHECKED);
}

void OnViewCommand(HWND window, UINT command) {
    MarkViewCommand(window, command);
    SetViewMode(ViewBits(command));
    Settings.ListLayout.ListViewMode = command;
}

void RunCatalogueCommand(HWND window, WorkerRoutine task) {
    if (Settings.MameName[0] == '\0') {
        ReportMessage(window, MessageSourceModule, MSG_NO_EMULATOR);
        return;
    }
    // A catalogue left as it was needs no reload: the list stays as it is.
    if (RunBackgroundTask(window, task) != 0) RunBackgroundTask(window, ReloadGameList);
}

// Closing while a task runs: the task is cancelled and the window closes
// once its worker has stopped (the progress dialog posts WM_CLOSE again).
// At the end of the session the close cannot wait for that: the worker is
// stopped here, then everything is saved and the connection closed.
LRESULT OnClose(HWND window) {
    if (BackgroundTaskRunning()) {
        CloseAfterTask(window);
        return 0;
    }
    SendMessageA(window, WM_DESTROY, 0, 0);
    return 0;
}

LRESULT OnEndSession(HWND window, WPARAM ending) {
    if (!ending) return 0;
    StopTaskNow();
    SendMessageA(window, WM_DESTROY, 0, 0);
    return 0;
}

// The picture pane's and the icons' commands and their menu checks.
void MarkIconsCommand(HWND window) {
    CheckMenuItem(GetMenu(window), IDM_ICONS, MF_BYCOMMAND | (GameIconsEnabled() ? MF_CHECKED : MF_UNCHECKED));
}

void OnPictureCommand(HWND window, UINT command) {
    switch (command) {
    case IDM_PICTURE_PANE: ShowPicturePane(!PicturePaneShown()); break;
    case IDM_PICTURE_NEXT: StepPictureKind(1); break;
    case IDM_PICTURE_PREVIOUS: StepPictureKind(-1); break;
    case IDM_ICONS: EnableGameIcons(!GameIconsEnabled()); break;
    default: break;
    }
    MarkIconsCommand(window);
}

void OnCommand(HWND window, UINT command) {
    switch (command) {
    case IDM_REBUILD: RunCatalogueCommand(window, RebuildCatalogueTask); break;
    case IDM_VERIFY: RunCatalogueCommand(window, VerifySetsTask); break;
    case IDM_EXIT: SendMessageA(window, WM_DESTROY, 0, 0); break;
    case IDM_RUN: RunSelectedGame(); break;
    case IDM_GAME_OPTIONS: OpenGameOptionsSheet(window); break;
    case IDM_OPTIONS_FIRST + 0: case IDM_OPTIONS_FIRST + 1: case IDM_OPTIONS_FIRST + 2:
    case IDM_OPTIONS_FIRST + 3: case IDM_OPTIONS_FIRST + 4: case IDM_OPTIONS_FIRST + 5:
    case IDM_OPTIONS_FIRST + 6: case IDM_OPTIONS_FIRST + 7: case IDM_OPTIONS_LAST:
        OpenMameSettings(window, command);
        RefreshPictures();  // the picture folders may have changed
        break;
    case IDM_ROM_DOWNLOAD: OpenRomDownload(); break;
    case IDM_RELOAD: RunBackgroundTask(window, ReloadGameList); break;
    case IDM_FILTER_FIRST + 0: case IDM_FILTER_FIRST + 1: case IDM_FILTER_FIRST + 2: case IDM_FILTER_FIRST + 3:
    case IDM_FILTER_FIRST + 4: case IDM_FILTER_FIRST + 5: case IDM_FILTER_FIRST + 6: case IDM_FILTER_FIRST + 7:
    case IDM_FILTER_LAST: ShowFilterSheet(window, command - IDM_FILTER_FIRST); break;
    case IDM_GAME_INFO: ShowGameInfo(window); break;
    case IDM_GAME_HISTORY: ShowGameHistory(window); break;
    case IDM_PREFERENCES:
        ShowPreferencesSheet(window, 0);
        EnableGameIcons(Settings.EnableIcons != 0);  // the sheet's icons box
        MarkIconsCommand(window);
        RefreshPictures();  // another emulator, other folders
        break;
    case IDM_PICTURE_PANE:
    case IDM_PICTURE_NEXT:
    case IDM_PICTURE_PREVIOUS:
    case IDM_ICONS: OnPictureCommand(window, command); break;
    case IDM_VIEW_LARGE:
    case IDM_VIEW_SMALL:
    case IDM_VIEW_LIST:
    case IDM_VIEW_DETAILS: OnViewCommand(window, command); break;
    case IDM_ABOUT: ShowAboutBox(window); break;
    default: break;  // no command of ours
    }
}

LRESULT OnCreate(HWND window) {
    MainWindow = window;
    SetMenu(window, MainMenu);
    CreateCommandBar(window);
    StatusBarWindow = CreateWindowExA(0, STATUSCLASSNAMEA, kWindowTitle, WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0, 0,
                                      0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)), ProgramInstance,
                                      nullptr);
    ScaleListWidths(Settings, SystemDpi());  // stored widths to this screen's pixels
    CreateGameList(window, Settings.ListLayout);
    CreatePicturePane(window, GameListWindow);
    MarkIconsCommand(window);
    MarkViewCommand(window, ShownViewCommand(Settings.ListLayout.ListViewMode));  // details when none was chosen
    MarkFindingCommands(window);
    ConnectDatabase(window, DatabasePath, &Settings.Filter.Query);
    RunBackgroundTask(window, ReloadGameList);
    if (Settings.Version != kSettingsVersion) RunFirstStartWizard(window);
    return 0;
}

LRESULT OnDestroy(HWND window) {
    ClosePicturePane();
    SaveListLayout(Settings.ListLayout);
    SaveSettings(window);
    DisconnectDatabase();
    PostQuitMessage(0);
    return 0;
}

LRESULT OnContextMenu(HWND window, WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) != GameListWindow) return 0;
    const POINT at = GameListMenuPoint(lParam);
    TrackPopupMenu(GetSubMenu(GetMenu(window), 1), TPM_LEFTALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, window, nullptr);
    return 0;
}

// Toolbar tooltips show the text of the command's menu item, without its
// mnemonic and its shortcut hint.
LRESULT OnToolTip(NMTTDISPINFOA* info) {
    char text[80];
    if (GetMenuStringA(MainMenu, static_cast<UINT>(info->hdr.idFrom), text, sizeof text, MF_BYCOMMAND) <= 0) return 0;
    char* out = info->szText;
    const char* end = info->szText + sizeof info->szText - 1;
    for (const char* p = text; *p && *p != '\t' && out < end; ++p)
        if (*p != '&') *out++ = *p;
    *out = '\0';
    info->lpszText = info->szText;
    return 0;
}

LRESULT OnNotify(HWND window, NMHDR* header) {
    if (header->hwndFrom == GameListWindow) return GameListNotify(window, header);
    if (header->hwndFrom == RebarWindow && header->code == RBN_HEIGHTCHANGE) {  // the search band wrapped or came back
        RECT client;
        GetClientRect(window, &client);
        LayoutMainWindow(window, client.bottom);
        return 0;
    }
    if (header->code == TTN_GETDISPINFOA) return OnToolTip(reinterpret_cast<NMTTDISPINFOA*>(header));
    return 0;
}

}  // namespace

void CreateCommandBar(HWND window) {
    RebarWindow = CreateWindowExA(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, nullptr, kRebarStyle, 0, 0, 0, 0, window, nullptr,
                                  ProgramInstance, nullptr);
    // The images drawn for the screen's DPI, 16 pixels at 96.
    const DpiBitmaps images = BitmapsForSystemDpi();
    const int size = images.toolbarSize;
    ToolbarWindow = CreateToolbarEx(RebarWindow, kToolbarStyle, IDC_TOOLBAR, 9, ProgramInstance, images.toolbar,
                                    MainToolbarButtons, 8, size, size, size, size, sizeof(TBBUTTON));
    AddFindingButtons(ToolbarWindow);
    SendMessageA(ToolbarWindow, TB_AUTOSIZE, 0, 0);
    RECT client;
    GetClientRect(ToolbarWindow, &client);
    REBARBANDINFOA band{};
    band.cbSize = REBARBANDINFOA_V3_SIZE;
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
    band.fStyle = kBandStyle;
    band.hwndChild = ToolbarWindow;
    band.cxMinChild = ScaleToSystemDpi(20);
    band.cyMinChild = ScaleToSystemDpi(23);
    band.cx = client.right;
    SendMessageA(RebarWindow, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    AddSearchBand(RebarWindow);
}

void LayoutMainWindow(HWND window, int clientHeight) {
    RECT client;
    GetClientRect(window, &client);
    MoveWindow(RebarWindow, 0, 0, client.right, client.bottom, TRUE);
    SendMessageA(StatusBarWindow, WM_SIZE, 0, 0);
    RECT status, rebar;
    GetClientRect(StatusBarWindow, &status);
    GetClientRect(RebarWindow, &rebar);
    const int listHeight = clientHeight - status.bottom - rebar.bottom - 4;
    const int paneWidth = PicturePaneWidth(rebar.right);
    MoveWindow(GameListWindow, 0, rebar.bottom + 3, rebar.right - paneWidth, listHeight, TRUE);
    PlacePicturePane(rebar.right, rebar.bottom + 3, listHeight);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_SIZE: LayoutMainWindow(window, HIWORD(lParam)); return 0;
    case WM_CLOSE: return OnClose(window);
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION: return OnEndSession(window, wParam);
    case WM_DESTROY: return OnDestroy(window);
    case WM_NOTIFY: return OnNotify(window, reinterpret_cast<NMHDR*>(lParam));
    case WM_CONTEXTMENU: return OnContextMenu(window, wParam, lParam);
    case WM_COMMAND:
        if (!OnFindingCommand(window, LOWORD(wParam), HIWORD(wParam))) OnCommand(window, LOWORD(wParam));
        return 0;
    case WM_INITMENUPOPUP: LabelMameSettingsMenu(reinterpret_cast<HMENU>(wParam)); return 0;
    default: {
        LRESULT result;
        if (HandleFindingMessage(window, message, wParam, lParam, &result)) return result;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    }
}

HWND CreateMainWindow() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = ProgramInstance;
    wc.hIcon = LoadIconA(ProgramInstance, MAKEINTRESOURCEA(IDI_QUILLET));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kMainClass;
    RegisterClassExA(&wc);
    return CreateWindowExA(WS_EX_CONTROLPARENT, kMainClass, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, ProgramInstance, nullptr);
}

int RunMainWindow() {
    HWND window = CreateMainWindow();
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);
    const HACCEL keys = LoadMainAccelerators();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (keys && TranslateAcceleratorA(window, keys, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace quillet
