// The main window in-process: layout, view commands, the persisted list
// layout, sorting, colours and the list's commands.
#include "win/main_window_run.h"
#include "win/support.h"

#include <commctrl.h>

#include <cstring>

#include "app/application.h"
#include "base/dpi.h"
#include "base/globals.h"
#include "app/main_window.h"
#include "base/report.h"
#include "db/database.h"
#include "gamelist/game_list.h"
#include "pictures/picture_pane.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "settings/settings_store.h"

using namespace quillet;
using namespace quillet::test;

namespace {

struct Fixture {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    TempDir start;
    Fixture(bool catalogue = true) {
        registry.CreateMachineKey();
        registry.StoreVersion();
        if (catalogue) CopyFileA(BuildPath("gamelist.mdb").c_str(), start.file("gamelist.mdb").c_str(), FALSE);
    }
};

RECT ChildRect(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

UINT CheckedViewCommands(HWND window, UINT* only) {
    UINT checked = 0;
    for (UINT id = IDM_VIEW_LARGE; id <= IDM_VIEW_DETAILS; ++id)
        if (GetMenuState(GetMenu(window), id, MF_BYCOMMAND) & MF_CHECKED) {
            ++checked;
            *only = id;
        }
    return checked;
}

std::string CellText(HWND list, int item, int column) {
    char text[256] = "";
    LVITEMA lv{};
    lv.iSubItem = column;
    lv.pszText = text;
    lv.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lv));
    return text;
}

int ItemCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

void Notify(HWND window, HWND from, UINT code, NMHDR* header) {
    header->hwndFrom = from;
    header->idFrom = 0;
    header->code = code;
    SendMessageA(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(header));
}

void ClickHeader(HWND window, HWND list, int column) {
    NMLISTVIEW nm{};
    nm.iItem = -1;
    nm.iSubItem = column;
    Notify(window, list, LVN_COLUMNCLICK, &nm.hdr);
}

bool ColumnIsSorted(HWND list, int column, bool descending) {
    const int n = ItemCount(list);
    for (int i = 1; i < n; ++i) {
        const int c = lstrcmpA(CellText(list, i - 1, column).c_str(), CellText(list, i, column).c_str());
        if (descending ? c < 0 : c > 0) return false;
    }
    return true;
}

DWORD StoredDword(const char* name) {
    HKEY key;
    DWORD value = 0xDEADBEEF, size = 4;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halvorn\\Quillet", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
    }
    return value;
}

UINT ArrowColumnCount(HWND list, int* column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    UINT count = 0;
    for (int i = 0; i < 16; ++i) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        if (item.fmt & HDF_BITMAP) {
            ++count;
            *column = i;
        }
    }
    return count;
}

}  // namespace

TEST_CASE("the list lies 3 pixels below the rebar and is 4 pixels shorter than the room left") {
    Fixture f;
    MainWindowRun run(StartFolder{f.start.path()});
    RECT client;
    GetClientRect(run.window(), &client);
    RECT rebar, status;
    GetClientRect(RebarWindow, &rebar);
    GetClientRect(StatusBarWindow, &status);
    const RECT list = ChildRect(run.list());
    CHECK_GT(rebar.bottom, 0);
    CHECK_GT(status.bottom, 0);
    CHECK_EQ(list.left, 0);
    CHECK_EQ(list.top, rebar.bottom + 3);
    // The picture pane (shown by default) takes the right of the same band.
    const RECT pane = ChildRect(PicturePaneWindow);
    CHECK_GT(pane.right - pane.left, 0);
    CHECK_EQ(list.right, pane.left);
    CHECK_EQ(pane.right, rebar.right);
    CHECK_EQ(pane.top, list.top);
    CHECK_EQ(pane.bottom, list.bottom);
    CHECK_EQ(list.bottom - list.top, client.bottom - status.bottom - rebar.bottom - 4);
    CHECK(IsWindowVisible(StatusBarWindow));
    char text[64];
    GetWindowTextA(StatusBarWindow, text, sizeof text);
    CHECK(std::string(text).ends_with(" games"));  // "N of M games"
    CHECK_EQ(SendMessageA(ToolbarWindow, TB_BUTTONCOUNT, 0, 0), 10);  // favourites only after a separator
    CHECK_EQ(GetDlgCtrlID(ToolbarWindow), IDC_TOOLBAR);
}

TEST_CASE("view commands: one checked menu item, the pressed button, the list's view, the stored command") {
    Fixture f;
    {
        MainWindowRun run(StartFolder{f.start.path()});
        UINT only = 0;
        // Nothing chosen yet: the list is in details view, and says so.
        CHECK_EQ(CheckedViewCommands(run.window(), &only), 1u);
        CHECK_EQ(only, static_cast<UINT>(IDM_VIEW_DETAILS));
        CHECK(SendMessageA(ToolbarWindow, TB_ISBUTTONCHECKED, IDM_VIEW_DETAILS, 0));
        SendMessageA(run.window(), WM_COMMAND, IDM_VIEW_LARGE, 0);
        SendMessageA(run.window(), WM_COMMAND, IDM_VIEW_LIST, 0);
        CHECK_EQ(CheckedViewCommands(run.window(), &only), 1u);
        CHECK_EQ(only, static_cast<UINT>(IDM_VIEW_LIST));
        CHECK(SendMessageA(ToolbarWindow, TB_ISBUTTONCHECKED, IDM_VIEW_LIST, 0));
        CHECK_FALSE(SendMessageA(ToolbarWindow, TB_ISBUTTONCHECKED, IDM_VIEW_LARGE, 0));
        CHECK_EQ(GetWindowLongA(run.list(), GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);
    }
    CHECK_EQ(StoredDword("ListViewMode"), static_cast<DWORD>(IDM_VIEW_LIST));

    // The next start opens in list view with menu item and button set.
    MainWindowRun again(StartFolder{f.start.path()});
    UINT only = 0;
    CHECK_EQ(CheckedViewCommands(again.window(), &only), 1u);
    CHECK_EQ(only, static_cast<UINT>(IDM_VIEW_LIST));
    CHECK(SendMessageA(ToolbarWindow, TB_ISBUTTONCHECKED, IDM_VIEW_LIST, 0));
    CHECK_EQ(GetWindowLongA(again.list(), GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);
}

TEST_CASE("column widths are kept only when changed in details view") {
    Fixture f;
    {
        MainWindowRun run(StartFolder{f.start.path()});
        SendMessageA(run.window(), WM_COMMAND, IDM_VIEW_DETAILS, 0);
        SendMessageA(run.list(), LVM_SETCOLUMNWIDTH, 1, 222);
    }
    {
        MainWindowRun run(StartFolder{f.start.path()});
        CHECK_EQ(SendMessageA(run.list(), LVM_GETCOLUMNWIDTH, 1, 0), 222);
        SendMessageA(run.list(), LVM_SETCOLUMNWIDTH, 2, 150);
        SendMessageA(run.window(), WM_COMMAND, IDM_VIEW_SMALL, 0);
    }
    MainWindowRun run(StartFolder{f.start.path()});
    SendMessageA(run.window(), WM_COMMAND, IDM_VIEW_DETAILS, 0);
    CHECK_EQ(SendMessageA(run.list(), LVM_GETCOLUMNWIDTH, 1, 0), 222);
    CHECK_EQ(SendMessageA(run.list(), LVM_GETCOLUMNWIDTH, 2, 0), ScaleToSystemDpi(70));  // the default
}

TEST_CASE("widths stored at another DPI come back scaled to this screen's, and are kept with its DPI") {
    Fixture f;
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Halvorn\\Quillet", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    const DWORD storedDpi = 192;
    RegSetValueExA(key, "ListViewDpi", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&storedDpi), 4);
    int32_t widths[kListColumns];
    for (int32_t& w : widths) w = 300;
    RegSetValueExA(key, "ListViewSize", 0, REG_BINARY, reinterpret_cast<const BYTE*>(widths), sizeof widths);
    RegCloseKey(key);
    const int shown = MulDiv(300, static_cast<int>(SystemDpi()), 192);
    {
        MainWindowRun run(StartFolder{f.start.path()});
        CHECK_EQ(SendMessageA(run.list(), LVM_GETCOLUMNWIDTH, 4, 0), shown);
    }
    CHECK_EQ(StoredDword("ListViewDpi"), SystemDpi());
    MainWindowRun run(StartFolder{f.start.path()});
    CHECK_EQ(SendMessageA(run.list(), LVM_GETCOLUMNWIDTH, 4, 0), shown);
}

TEST_CASE("a new user's column widths come back while no view has been chosen") {
    Fixture f;
    {
        MainWindowRun run(StartFolder{f.start.path()});
        SendMessageA(run.list(), LVM_SETCOLUMNWIDTH, 1, 222);
    }
    CHECK_EQ(StoredDword("ListViewMode"), 0u);
    MainWindowRun run(StartFolder{f.start.path()});
    CHECK_EQ(SendMessageA(run.list(), LVM_GETCOLUMNWIDTH, 1, 0), 222);
}

TEST_CASE("a stored view value that is no view command starts nothing and counts as none") {
    for (DWORD stored : {DWORD{IDM_REBUILD}, DWORD{IDM_EXIT}, DWORD{1059}, DWORD{1064}, DWORD{0xFFFFFFFF}}) {
        CAPTURE(stored);
        Fixture f;
        HKEY key;
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Halvorn\\Quillet", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr);
        RegSetValueExA(key, "ListViewMode", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), 4);
        RegCloseKey(key);
        {
            MainWindowRun run(StartFolder{f.start.path()});
            // A rebuild would have warned (no emulator); an exit would have
            // saved every setting already.
            CHECK(f.boxes.boxes().empty());
            CHECK_EQ(StoredDword("ColorNot"), 0xDEADBEEFu);
            CHECK_GT(ItemCount(run.list()), 0);
            CHECK_EQ(GetWindowLongA(run.list(), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
            UINT only = 0;
            CHECK_EQ(CheckedViewCommands(run.window(), &only), 1u);
            CHECK_EQ(only, static_cast<UINT>(IDM_VIEW_DETAILS));
        }
        CHECK_EQ(StoredDword("ListViewMode"), 0u);
    }
}

TEST_CASE("the keyboard's context menu opens under the focused row, or at the list's corner") {
    Fixture f;
    MainWindowRun run(StartFolder{f.start.path()});
    const int n = ItemCount(run.list());
    REQUIRE_GT(n, 30);  // more rows than the window shows
    const LPARAM keyboard = MAKELPARAM(-1, -1);
    for (UINT view : {IDM_VIEW_DETAILS, IDM_VIEW_LIST}) {
        CAPTURE(view);
        SendMessageA(run.window(), WM_COMMAND, view, 0);
        for (int row : {2, n - 1}) {
            CAPTURE(row);
            LVITEMA item{};
            item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
            item.state = LVIS_FOCUSED | LVIS_SELECTED;
            SendMessageA(run.list(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
            POINT at = GameListMenuPoint(keyboard);
            ScreenToClient(run.list(), &at);
            // Just below the row's bottom edge: the point above it is the row,
            // scrolled into view when it was not.
            LVHITTESTINFO hit{};
            hit.pt = {at.x + 1, at.y - 1};
            CHECK_EQ(SendMessageA(run.list(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), row);
        }
    }
    LVITEMA none{};
    none.stateMask = LVIS_FOCUSED;
    SendMessageA(run.list(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    POINT corner{0, 0};
    ClientToScreen(run.list(), &corner);
    const POINT at = GameListMenuPoint(keyboard);
    CHECK_EQ(at.x, corner.x);
    CHECK_EQ(at.y, corner.y);
    // A click keeps its own position, negative coordinates included.
    const POINT click = GameListMenuPoint(MAKELPARAM(-5, 300));
    CHECK_EQ(click.x, -5);
    CHECK_EQ(click.y, 300);
}

TEST_CASE("a dragged column order comes back at the next start") {
    Fixture f;
    int order[20] = {3, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 14, 19, 18, 17, 16};
    {
        MainWindowRun run(StartFolder{f.start.path()});
        SendMessageA(run.list(), LVM_SETCOLUMNORDERARRAY, 20, reinterpret_cast<LPARAM>(order));
    }
    MainWindowRun run(StartFolder{f.start.path()});
    int got[20] = {};
    SendMessageA(run.list(), LVM_GETCOLUMNORDERARRAY, 20, reinterpret_cast<LPARAM>(got));
    for (int i = 0; i < 20; ++i) CHECK_EQ(got[i], order[i]);
}

TEST_CASE("the first reload shows the catalogue sorted by name, ascending") {
    Fixture f;
    MainWindowRun run(StartFolder{f.start.path()});
    REQUIRE_GT(ItemCount(run.list()), 10);
    CHECK(ColumnIsSorted(run.list(), 0, false));
    int column = -1;
    CHECK_EQ(ArrowColumnCount(run.list(), &column), 1u);
    CHECK_EQ(column, 0);
}

TEST_CASE("header clicks sort both ways and move the arrow, in every view") {
    Fixture f;
    MainWindowRun run(StartFolder{f.start.path()});
    for (UINT view : {IDM_VIEW_DETAILS, IDM_VIEW_LIST, IDM_VIEW_LARGE}) {
        SendMessageA(run.window(), WM_COMMAND, view, 0);
        ClickHeader(run.window(), run.list(), 3);
        const bool firstDescending = !ColumnIsSorted(run.list(), 3, false);
        CHECK(ColumnIsSorted(run.list(), 3, firstDescending));
        ClickHeader(run.window(), run.list(), 3);
        CHECK(ColumnIsSorted(run.list(), 3, !firstDescending));
        int column = -1;
        CHECK_EQ(ArrowColumnCount(run.list(), &column), 1u);
        CHECK_EQ(column, 3);
    }
}

TEST_CASE("with one record a header click moves the arrow and sorts nothing") {
    Fixture f;
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Halvorn\\Quillet", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, "FilNamePattern", 0, REG_SZ, reinterpret_cast<const BYTE*>("pacman"), 7);
    RegCloseKey(key);
    MainWindowRun run(StartFolder{f.start.path()});
    REQUIRE_EQ(ItemCount(run.list()), 1);
    ClickHeader(run.window(), run.list(), 5);
    int column = -1;
    CHECK_EQ(ArrowColumnCount(run.list(), &column), 1u);
    CHECK_EQ(column, 5);
    CHECK_EQ(CellText(run.list(), 0, 0), "pacman");
}

TEST_CASE("sort column and direction come back after a restart") {
    Fixture f;
    std::string first;
    {
        MainWindowRun run(StartFolder{f.start.path()});
        ClickHeader(run.window(), run.list(), 1);  // description, descending (the reload sorted ascending)
        REQUIRE(ColumnIsSorted(run.list(), 1, true));
        first = CellText(run.list(), 0, 1);
    }
    CHECK_EQ(StoredDword("ListViewSortCol"), 1u);
    MainWindowRun run(StartFolder{f.start.path()});
    CHECK(ColumnIsSorted(run.list(), 1, true));
    CHECK_EQ(CellText(run.list(), 0, 1), first);
}

TEST_CASE("the stored focus is applied again once the first reload has brought rows") {
    Fixture f;
    {
        MainWindowRun run(StartFolder{f.start.path()});
        LVITEMA item{};
        item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        item.state = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(run.list(), LVM_SETITEMSTATE, 7, reinterpret_cast<LPARAM>(&item));
    }
    CHECK_EQ(StoredDword("ListViewFocus"), 7u);
    MainWindowRun run(StartFolder{f.start.path()});
    CHECK_EQ(SendMessageA(run.list(), LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 7);
    char name[9] = "";
    GetFocusedItemText(name, 0, sizeof name);
    CHECK_EQ(std::string(name), CellText(run.list(), 7, 0));
}

TEST_CASE("rows are coloured by their status text") {
    Fixture f;
    MainWindowRun run(StartFolder{f.start.path()});
    const int n = ItemCount(run.list());
    int checkedRows = 0;
    for (int i = 0; i < n; ++i) {
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdr.hwndFrom = run.list();
        draw.nmcd.dwItemSpec = i;
        ColourGameRow(&draw);
        const std::string status = CellText(run.list(), i, 6);
        const COLORREF expected = status == StatusTextGood ? Settings.ColorGood
                                  : status == StatusTextBest ? Settings.ColorBest
                                  : status == StatusTextBad  ? Settings.ColorBad
                                                             : Settings.ColorNot;
        CHECK_EQ(draw.clrTextBk, expected);
        checkedRows += status == StatusTextBest;
    }
    CHECK_GT(checkedRows, 0);  // the demo catalogue has best-available sets

    // The custom-draw answers of the list's notifications.
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    draw.nmcd.hdr.hwndFrom = run.list();
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    CHECK_EQ(SendMessageA(run.window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)), CDRF_NOTIFYITEMDRAW);
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    CHECK_EQ(SendMessageA(run.window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)), CDRF_NEWFONT);
}

TEST_CASE("double-click and Enter in the list give the run command") {
    Fixture f;
    MainWindowRun run(StartFolder{f.start.path()});
    // No emulator configured: the run command answers with its warning.
    f.boxes.clear();
    NMITEMACTIVATE click{};
    Notify(run.window(), run.list(), NM_DBLCLK, &click.hdr);
    NMLVKEYDOWN key{};
    key.wVKey = VK_RETURN;
    Notify(run.window(), run.list(), LVN_KEYDOWN, &key.hdr);
    key.wVKey = VK_SPACE;
    Notify(run.window(), run.list(), LVN_KEYDOWN, &key.hdr);
    REQUIRE_EQ(f.boxes.boxes().size(), 2u);
    for (const ShownBox& box : f.boxes.boxes()) CHECK_EQ(box.type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
}

TEST_CASE("rebuild and verify without an emulator only warn") {
    Fixture f;
    MainWindowRun run(StartFolder{f.start.path()});
    f.boxes.clear();
    SendMessageA(run.window(), WM_COMMAND, IDM_REBUILD, 0);
    SendMessageA(run.window(), WM_COMMAND, IDM_VERIFY, 0);
    REQUIRE_EQ(f.boxes.boxes().size(), 2u);
    CHECK_EQ(f.boxes.boxes()[0].owner, run.window());
    CHECK_EQ(f.boxes.boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
}

TEST_CASE("without gamelist.mdb: the connection and the reload report, the list stays empty") {
    Fixture f(false);
    MainWindowRun run(StartFolder{f.start.path()});
    CHECK_EQ(ItemCount(run.list()), 0);
    char name[9] = "keep";
    GetFocusedItemText(name, 0, sizeof name);
    CHECK_EQ(std::string(name), "keep");
    REQUIRE_GE(f.boxes.boxes().size(), 2u);
    char connect[1024], execute[1024];
    FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, LanguageModule, MSG_ODBC_CONNECTION, 0,
                   connect, sizeof connect, nullptr);
    FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, LanguageModule, MSG_ODBC_EXECUTE, 0,
                   execute, sizeof execute, nullptr);
    CHECK_EQ(f.boxes.boxes()[0].text, std::string(connect));
    CHECK_EQ(f.boxes.boxes().back().text, std::string(execute));
    run.Close();
    CHECK(DatabaseConnection == SQL_NULL_HDBC);
    CHECK(DatabaseEnvironment == SQL_NULL_HENV);
}
