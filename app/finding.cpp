#include "app/finding.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <deque>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "base/dpi.h"
#include "base/globals.h"
#include "base/progress.h"
#include "base/report.h"
#include "db/database.h"
#include "db/player_data.h"
#include "gamelist/game_list.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/settings_store.h"

namespace quillet {

HWND SearchBox;

namespace {

// Posted by a game's watching thread; lParam: a PlayReport the handler owns.
constexpr UINT WMU_GAME_STARTED = WM_APP + 0x2011;
constexpr UINT WMU_GAME_ENDED = WM_APP + 0x2012;
// Retries the play reports that came in while a background task ran.
constexpr UINT_PTR kPlayReportTimer = 0x2011;

struct PlayReport {
    char name[kRomNameField];
    bool start;
    DWORD seconds;
    char when[20];
};
std::deque<std::unique_ptr<PlayReport>> pendingReports;
bool playerDataFailureShown;

// The quick hides and favourites-only: command, setting, registry value.
struct Narrowing {
    UINT command;
    uint32_t FrontendSettings::*field;
    const char* valueName;
};
constexpr Narrowing kNarrowings[] = {
    {IDM_FAVOURITES_ONLY, &FrontendSettings::ViewFavouritesOnly, "ViewFavouritesOnly"},
    {IDM_HIDE_CLONES, &FrontendSettings::ViewHideClones, "ViewHideClones"},
    {IDM_HIDE_MECHANICAL, &FrontendSettings::ViewHideMechanical, "ViewHideMechanical"},
    {IDM_HIDE_NON_WORKING, &FrontendSettings::ViewHideNonWorking, "ViewHideNonWorking"},
};

std::string Utf8Of(const wchar_t* text, int length = -1) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), bytes, nullptr, nullptr);
    if (length < 0) out.pop_back();  // the terminator
    return out;
}

void ShowPlayerDataFailure() {
    if (playerDataFailureShown) return;  // once a run: every later write would fail alike
    playerDataFailureShown = true;
    ReportMessage(MainWindow, MessageSourceModule, MSG_PLAYER_DATA_FAILED);
}

// The catalogue's row of the game, now in every loaded record of it.
void RefreshPlayerData(const char* romName) {
    GameExtras extras{};
    if (ReadPlayerData(romName, extras)) UpdatePlayerData(romName, extras);
}

void SetFavourite(bool favourite, bool toggle) {
    const GameRecord* game = FocusedGame();
    if (!game) return;
    if (toggle) favourite = !game->Extra.Favourite;
    if (!StoreFavourite(game->RomName, favourite)) {
        ShowPlayerDataFailure();
        return;
    }
    const std::string name = game->RomName;  // the record may leave the shown list
    RefreshPlayerData(name.c_str());
}

void ToggleNarrowing(HWND window, const Narrowing& n) {
    uint32_t& value = Settings.*n.field;
    value = value ? 0 : 1;
    SaveUserValue(n.valueName);
    CheckMenuItem(GetMenu(window), n.command, MF_BYCOMMAND | (value ? MF_CHECKED : MF_UNCHECKED));
    if (n.command == IDM_FAVOURITES_ONLY) SendMessageA(ToolbarWindow, TB_CHECKBUTTON, n.command, MAKELPARAM(value, 0));
    RefreshShownGames();
}

void OnSearchChanged() {
    const int length = GetWindowTextLengthW(SearchBox);
    std::wstring typed(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(SearchBox, typed.data(), length + 1);
    SetSearchText(Utf8Of(typed.c_str()).c_str());
}

void ClearSearch() {
    if (GetWindowTextLengthW(SearchBox) > 0) SetWindowTextW(SearchBox, L"");
    SetSearchText("");
    if (GetFocus() == SearchBox) SetFocus(GameListWindow);
}

// Enter or Down in the search box goes on to the list, to the focused game
// or else the first one shown.
LRESULT CALLBACK SearchBoxSubclass(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_DOWN) {
            SetFocus(GameListWindow);
            if (SendMessageA(GameListWindow, LVM_GETNEXTITEM, -1, LVNI_FOCUSED) < 0 && ShownGameCount() > 0) {
                LVITEMA item{};
                item.stateMask = item.state = LVIS_FOCUSED | LVIS_SELECTED;
                SendMessageA(GameListWindow, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
            }
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r') return 0;  // no beep
        break;
    case WM_NCDESTROY: RemoveWindowSubclass(box, SearchBoxSubclass, 0); break;
    default: break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

void ShowCounts(WPARAM shown, LPARAM loaded) {
    char format[128];
    if (LoadStringA(LanguageModule, IDS_LIST_COUNTS, format, sizeof format) <= 0) return;
    DWORD_PTR inserts[] = {static_cast<DWORD_PTR>(shown), static_cast<DWORD_PTR>(loaded)};
    char text[160];
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, format, 0, 0, text, sizeof text,
                        reinterpret_cast<va_list*>(inserts)))
        return;
    SendMessageA(StatusBarWindow, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

void OnInitMenu(HMENU menu) {
    const GameRecord* game = FocusedGame();
    const bool favourite = game && game->Extra.Favourite;
    EnableMenuItem(menu, IDM_FAVOURITE_ADD, MF_BYCOMMAND | (game && !favourite ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, IDM_FAVOURITE_REMOVE, MF_BYCOMMAND | (favourite ? MF_ENABLED : MF_GRAYED));
}

// Writes the reports in order; with a background task running (its worker
// holds the connection) they wait for the timer.
void FlushPlayReports(HWND window) {
    if (BackgroundTaskRunning()) {
        SetTimer(window, kPlayReportTimer, 500, nullptr);
        return;
    }
    KillTimer(window, kPlayReportTimer);
    if (!DatabaseConnection) {  // closing: a run still going is not added
        pendingReports.clear();
        return;
    }
    while (!pendingReports.empty()) {
        const std::unique_ptr<PlayReport> report = std::move(pendingReports.front());
        pendingReports.pop_front();
        const bool stored = report->start ? StoreGameStart(report->name, report->when)
                                          : StorePlayTime(report->name, report->seconds);
        if (!stored) {
            ShowPlayerDataFailure();
            continue;
        }
        RefreshPlayerData(report->name);
    }
}

void OnPlayReport(HWND window, LPARAM lParam) {
    pendingReports.emplace_back(reinterpret_cast<PlayReport*>(lParam));
    FlushPlayReports(window);
}

void ExportWithPicker(HWND window) {
    wchar_t filter[128] = L"";
    const int length = LoadStringW(LanguageModule, IDS_CSV_FILTER, filter, 126);
    if (length <= 0) filter[0] = L'\0';
    filter[length > 0 ? length : 0] = L'\0';
    filter[(length > 0 ? length : 0) + 1] = L'\0';
    wchar_t path[MAX_PATH] = L"games.csv";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = window;
    ofn.lpstrFilter = filter[0] ? filter : nullptr;
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = L"csv";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (GetSaveFileNameW(&ofn)) ExportListTo(window, path);
}

}  // namespace

void AddFindingButtons(HWND toolbar) {
    TBADDBITMAP bitmap{ProgramInstance, BitmapsForSystemDpi().finding};
    const LRESULT image = SendMessageA(toolbar, TB_ADDBITMAP, 1, reinterpret_cast<LPARAM>(&bitmap));
    const TBBUTTON buttons[] = {
        {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
        {static_cast<int>(image), IDM_FAVOURITES_ONLY,
         static_cast<BYTE>(TBSTATE_ENABLED | (Settings.ViewFavouritesOnly ? TBSTATE_CHECKED : 0)), BTNS_CHECK, {}, 0,
         0},
    };
    SendMessageA(toolbar, TB_ADDBUTTONSA, 2, reinterpret_cast<LPARAM>(buttons));
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
}

void AddSearchBand(HWND rebar) {
    // The toolbar's band as wide as all its buttons, so the search band
    // beside it does not push its last buttons behind the chevron.
    const LRESULT buttons = SendMessageA(ToolbarWindow, TB_BUTTONCOUNT, 0, 0);
    RECT last{};
    if (buttons > 0 && SendMessageA(ToolbarWindow, TB_GETITEMRECT, buttons - 1, reinterpret_cast<LPARAM>(&last))) {
        REBARBANDINFOA toolbarBand{};
        toolbarBand.cbSize = REBARBANDINFOA_V3_SIZE;
        toolbarBand.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE;
        toolbarBand.cxMinChild = static_cast<UINT>(last.right);
        toolbarBand.cyMinChild = 23;
        toolbarBand.cx = static_cast<UINT>(last.right + 16);
        SendMessageA(rebar, RB_SETBANDINFOA, 0, reinterpret_cast<LPARAM>(&toolbarBand));
    }
    SearchBox = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0,
                                0, 240, 21, rebar, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SEARCH_BOX)),
                                ProgramInstance, nullptr);
    SendMessageW(SearchBox, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    wchar_t cue[128];
    if (LoadStringW(LanguageModule, IDS_SEARCH_CUE, cue, 128) > 0)
        SendMessageW(SearchBox, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(cue));
    SetWindowSubclass(SearchBox, SearchBoxSubclass, 0, 0);
    wchar_t label[64];
    if (LoadStringW(LanguageModule, IDS_SEARCH_LABEL, label, 64) <= 0) label[0] = L'\0';
    REBARBANDINFOW band{};
    band.cbSize = REBARBANDINFOW_V3_SIZE;
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_TEXT;
    band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS;
    band.lpText = label;
    band.hwndChild = SearchBox;
    band.cxMinChild = 160;
    band.cyMinChild = 21;
    band.cx = 360;
    SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

void MarkFindingCommands(HWND window) {
    for (const Narrowing& n : kNarrowings)
        CheckMenuItem(GetMenu(window), n.command, MF_BYCOMMAND | (Settings.*n.field ? MF_CHECKED : MF_UNCHECKED));
}

HACCEL LoadMainAccelerators() { return LoadAcceleratorsA(ProgramInstance, MAKEINTRESOURCEA(IDR_ACCELERATORS)); }

bool OnFindingCommand(HWND window, UINT command, UINT code) {
    switch (command) {
    case IDC_SEARCH_BOX:
        if (code == EN_CHANGE) OnSearchChanged();
        return true;
    case IDM_SEARCH_FOCUS:
        SetFocus(SearchBox);
        SendMessageW(SearchBox, EM_SETSEL, 0, -1);
        return true;
    case IDM_SEARCH_CLEAR: ClearSearch(); return true;
    case IDM_FAVOURITE_ADD: SetFavourite(true, false); return true;
    case IDM_FAVOURITE_REMOVE: SetFavourite(false, false); return true;
    case IDM_FAVOURITE_TOGGLE: SetFavourite(false, true); return true;
    case IDM_EXPORT_LIST: ExportWithPicker(window); return true;
    default: break;
    }
    for (const Narrowing& n : kNarrowings)
        if (n.command == command) {
            ToggleNarrowing(window, n);
            return true;
        }
    return false;
}

bool HandleFindingMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    switch (message) {
    case WM_INITMENUPOPUP: OnInitMenu(reinterpret_cast<HMENU>(wParam)); return true;
    case WMU_LIST_COUNTS: ShowCounts(wParam, lParam); return true;
    case WMU_GAME_STARTED:
    case WMU_GAME_ENDED: OnPlayReport(window, lParam); return true;
    case WM_TIMER:
        if (wParam != kPlayReportTimer) return false;
        FlushPlayReports(window);
        return true;
    default: return false;
    }
}

std::string LocalTimeText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    wsprintfA(text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
              now.wSecond);
    return text;
}

namespace {

struct WatchedRun {
    HANDLE process;
    char name[kRomNameField];
    ULONGLONG started;
};

void Post(UINT message, PlayReport* report) {
    if (!PostMessageA(MainWindow, message, 0, reinterpret_cast<LPARAM>(report))) delete report;
}

DWORD WINAPI WatchGame(LPVOID parameter) {
    const std::unique_ptr<WatchedRun> run(static_cast<WatchedRun*>(parameter));
    // A start that ends within 2 s (a missing ROM set, a bad option) is no play.
    if (WaitForSingleObject(run->process, 2000) == WAIT_TIMEOUT) {
        auto* start = new PlayReport{};
        lstrcpynA(start->name, run->name, sizeof start->name);
        start->start = true;
        lstrcpynA(start->when, LocalTimeText().c_str(), sizeof start->when);
        Post(WMU_GAME_STARTED, start);
        WaitForSingleObject(run->process, INFINITE);
        auto* end = new PlayReport{};
        lstrcpynA(end->name, run->name, sizeof end->name);
        end->seconds = static_cast<DWORD>((GetTickCount64() - run->started + 500) / 1000);
        Post(WMU_GAME_ENDED, end);
    }
    CloseHandle(run->process);
    return 0;
}

}  // namespace

void TrackGameRun(HANDLE process, const char* romName) {
    auto* run = new WatchedRun{process, {}, GetTickCount64()};
    lstrcpynA(run->name, romName, sizeof run->name);
    HANDLE thread = CreateThread(nullptr, 0, WatchGame, run, 0, nullptr);
    if (!thread) {
        CloseHandle(process);
        delete run;
        return;
    }
    CloseHandle(thread);
}

}  // namespace quillet
