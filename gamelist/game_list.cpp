#include "gamelist/game_list.h"

#include <cstring>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "base/globals.h"
#include "base/progress.h"
#include "base/report.h"
#include "db/player_data.h"
#include "gamelist/game_search.h"
#include "gamelist/list_pictures.h"
#include "gamelist/row_colour.h"
#include "gamelist/shell_sort.h"
#include "pictures/game_icons.h"
#include "resources/resource_ids.h"
#include "settings/language.h"

namespace quillet {

HWND GameListWindow;

namespace {

// List state. The loaded array holds every record the last reload fetched,
// in the sort order; `records` holds the shown ones (those the search, the
// quick hides and favourites-only let through), in the same order. Both
// arrays are replaced only while the control's item count is 0, and the
// count is raised only once they are complete; narrowing rewrites `records`
// in place with pointers into `loaded`, so every slot always holds a live
// record.
GameRecord** records;
DWORD recordCount;
GameRecord** loaded;
DWORD loadedCount;
// Every loaded game's folded search text, one after the other.
std::string searchArena;
std::vector<std::string> searchWords;
// The focused game by ROM name: narrowing keeps it focused while it is
// shown and focuses it again when it returns.
char focusName[kRomNameField];
bool narrowing;
DWORD sortColumn;
DWORD sortDirection;  // lowest bit: 0 ascending, 1 descending
HWND header;
HBITMAP arrowDown;
HBITMAP arrowUp;
// The stored focus, applied again after the first reload that brings rows.
int pendingFocus = -1;

struct ColumnSpec {
    int width;
    int format;
};
constexpr ColumnSpec kColumns[kListColumns] = {
    {90, LVCFMT_LEFT},  {300, LVCFMT_LEFT}, {70, LVCFMT_RIGHT}, {280, LVCFMT_LEFT},
    {80, LVCFMT_LEFT},  {75, LVCFMT_LEFT},  {75, LVCFMT_LEFT},  {100, LVCFMT_LEFT},
    {100, LVCFMT_LEFT}, {100, LVCFMT_LEFT}, {100, LVCFMT_RIGHT}, {70, LVCFMT_LEFT},
    {95, LVCFMT_LEFT},  {95, LVCFMT_LEFT},  {90, LVCFMT_RIGHT}, {130, LVCFMT_LEFT},
    {24, LVCFMT_CENTER}, {60, LVCFMT_RIGHT}, {115, LVCFMT_LEFT}, {85, LVCFMT_RIGHT},
};
static_assert(kListColumns == kGameColumnCount);

constexpr DWORD kGameListStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP |
                                 LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_REPORT;
static_assert(kGameListStyle == 0x5601100D);
constexpr DWORD kGameListExStyle = LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT;
static_assert(kGameListExStyle == 0x31);

DWORD StoredColumnCount(const ListLayoutState& layout) {
    return layout.ListViewNumber > kListColumns ? kListColumns : layout.ListViewNumber;
}

// A stored order is applied only when it is a permutation of the columns.
bool IsColumnOrder(const int32_t* order, DWORD count) {
    bool seen[kListColumns] = {};
    for (DWORD i = 0; i < count; ++i) {
        if (order[i] < 0 || order[i] >= static_cast<int32_t>(count) || seen[order[i]]) return false;
        seen[order[i]] = true;
    }
    return true;
}

// Headers in Unicode: the star column's header is a star.
void InsertColumns() {
    for (int i = 0; i < kListColumns; ++i) {
        wchar_t text[64];
        if (LoadStringW(LanguageModule, ColumnHeaderString(i), text, 64) <= 0) text[0] = L'\0';
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = kColumns[i].format;
        column.cx = kColumns[i].width;
        column.pszText = text;
        column.iSubItem = i;
        SendMessageW(GameListWindow, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void SetHeaderArrow(DWORD column, HBITMAP arrow) {
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    if (!SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item))) return;
    if (arrow) {
        item.mask = HDI_FORMAT | HDI_BITMAP;
        item.fmt |= HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
        item.hbm = arrow;
    } else {
        item.fmt &= ~HDF_BITMAP;
    }
    SendMessageA(header, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
}

void ReleaseRecords() {
    if (loaded) {
        for (DWORD i = 0; i < loadedCount; ++i) FreeGameRecord(loaded[i]);
        HeapFree(ProcessHeap, 0, loaded);
    }
    if (records) HeapFree(ProcessHeap, 0, records);
    records = loaded = nullptr;
    recordCount = loadedCount = 0;
    std::string().swap(searchArena);
}

bool Passes(const GameRecord& r) {
    const GameExtras& e = r.Extra;
    if (Settings.ViewFavouritesOnly && !e.Favourite) return false;
    if (Settings.ViewHideClones && e.Clone) return false;
    if (Settings.ViewHideMechanical && e.Mechanical) return false;
    if (Settings.ViewHideNonWorking && e.DriverCode == 2) return false;
    return searchWords.empty() ||
           MatchesEveryWord(std::string_view(searchArena.data() + e.SearchOffset, e.SearchLength), searchWords);
}

void FoldSearchTexts() {
    size_t room = 0;
    for (DWORD i = 0; i < loadedCount; ++i)
        room += std::strlen(loaded[i]->RomName) + std::strlen(loaded[i]->Description) +
                std::strlen(loaded[i]->Manufacturer) + 2;
    searchArena.clear();
    searchArena.reserve(room + room / 8);
    for (DWORD i = 0; i < loadedCount; ++i) {
        GameRecord& r = *loaded[i];
        r.Extra.SearchOffset = static_cast<uint32_t>(searchArena.size());
        AppendSearchText(searchArena, r.RomName, r.Description, r.Manufacturer);
        r.Extra.SearchLength = static_cast<uint32_t>(searchArena.size() - r.Extra.SearchOffset);
    }
}

void SetItemFocus(int index) {
    LVITEMA item{};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    item.state = index >= 0 ? LVIS_FOCUSED | LVIS_SELECTED : 0;
    SendMessageA(GameListWindow, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
    if (index >= 0) SendMessageA(GameListWindow, LVM_ENSUREVISIBLE, index, FALSE);
}

void ClearItemState(LRESULT index) {
    if (index < 0) return;
    LVITEMA item{};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageA(GameListWindow, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

// The focused game again after the shown games changed: its new row, or no
// row when it is not shown. Only the rows that had the focus or the
// selection are cleared: clearing every row (item -1) costs Wine's list a
// notification per row.
void RestoreFocusByName() {
    ClearItemState(SendMessageA(GameListWindow, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    ClearItemState(SendMessageA(GameListWindow, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (focusName[0] == '\0') return;
    for (DWORD i = 0; i < recordCount; ++i)
        if (std::strcmp(records[i]->RomName, focusName) == 0) {
            SetItemFocus(static_cast<int>(i));
            return;
        }
}

// Rewrites the shown games from `from` (the loaded games, or for a search
// that only narrows, the shown ones), then the control's count, the focus
// and the counts in the status bar. Painting waits for the message loop
// unless `paintNow`.
void ShowPassing(GameRecord** from, DWORD count, bool paintNow) {
    narrowing = true;
    DWORD shown = 0;
    for (DWORD i = 0; i < count; ++i)
        if (Passes(*from[i])) records[shown++] = from[i];
    // A new count costs Wine's list tens of milliseconds over 45,000 rows;
    // a keystroke that keeps the count only repaints.
    const bool newCount = shown != recordCount;  // the control always holds recordCount
    recordCount = shown;
    if (newCount) SendMessageA(GameListWindow, LVM_SETITEMCOUNT, shown, LVSICF_NOSCROLL);
    RestoreFocusByName();
    narrowing = false;
    // A focused game the search hides leaves no row focused, and no row
    // tells the picture pane so: the pane follows the list once the
    // keystroke is done.
    PostPictureRefresh(GameListWindow);
    // Every row may have changed. Wine's list view invalidates a redraw
    // request item by item (0.4 s for 45,000 rows); invalidating the client
    // area repaints the same rows at once.
    InvalidateRect(GameListWindow, nullptr, FALSE);
    if (paintNow) UpdateWindow(GameListWindow);
    SendMessageA(GetParent(GameListWindow), WMU_LIST_COUNTS, shown, loadedCount);
}

// True when every word of `before` lies inside a word of `after`: each game
// `after` admits was admitted by `before` too.
bool OnlyNarrows(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    for (const std::string& old : before) {
        bool kept = false;
        for (const std::string& word : after) kept = kept || word.find(old) != std::string::npos;
        if (!kept) return false;
    }
    return true;
}

void ApplyPendingFocus() {
    if (pendingFocus < 0 || recordCount == 0) return;
    const int focus = pendingFocus < static_cast<int>(recordCount) ? pendingFocus : static_cast<int>(recordCount) - 1;
    pendingFocus = -1;
    LVITEMA item{};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageA(GameListWindow, LVM_SETITEMSTATE, focus, reinterpret_cast<LPARAM>(&item));
    SendMessageA(GameListWindow, LVM_ENSUREVISIBLE, focus, FALSE);
    lstrcpynA(focusName, records[focus]->RomName, sizeof focusName);
}

}  // namespace

namespace {

// A record with the sort key of its field, moved together by the sort.
struct KeyedRecord {
    GameRecord* record;
    const char* key;
};

}  // namespace

bool MakeSortKey(const char* text, char* key, int room) {
    // lstrcmpA reads its bytes in the ANSI code page, whatever the thread
    // locale's own code page; the keys must read them the same way.
    return LCMapStringA(GetThreadLocale(), LCMAP_SORTKEY | LOCALE_USE_CP_ACP, text, -1, key, room) > 0;
}

bool SortRecordsByKeys(GameRecord** items, DWORD n, DWORD column, bool descending) {
    KeyedRecord* keyed = static_cast<KeyedRecord*>(HeapAlloc(ProcessHeap, 0, n * sizeof(KeyedRecord)));
    if (!keyed) return false;
    // One arena for every key: a field's key is at most about four bytes per
    // character plus a few separators.
    const size_t keyRoom = kGameColumns[column].width * 6 + 16;
    char* arena = static_cast<char*>(HeapAlloc(ProcessHeap, 0, n * keyRoom));
    if (!arena) {
        HeapFree(ProcessHeap, 0, keyed);
        return false;
    }
    bool ok = true;
    for (DWORD i = 0; i < n && ok; ++i) {
        char* key = arena + i * keyRoom;
        ok = MakeSortKey(ColumnText(*items[i], column), key, static_cast<int>(keyRoom));
        keyed[i] = {items[i], key};
    }
    if (ok) {
        if (descending)
            ShellSort(keyed, n, [](const KeyedRecord& a, const KeyedRecord& b) { return std::strcmp(a.key, b.key) > 0; });
        else
            ShellSort(keyed, n, [](const KeyedRecord& a, const KeyedRecord& b) { return std::strcmp(a.key, b.key) < 0; });
        for (DWORD i = 0; i < n; ++i) items[i] = keyed[i].record;
    }
    HeapFree(ProcessHeap, 0, arena);
    HeapFree(ProcessHeap, 0, keyed);
    return ok;
}

void SortRecordsByPlayerData(GameRecord** items, DWORD n, DWORD column, bool descending) {
    // The star and the counts sort as numbers; last played by its stored
    // text, which is in time order.
    if (column == kLastPlayedColumn) {
        auto before = [descending](GameRecord* a, GameRecord* b) {
            const int c = std::strcmp(a->Extra.LastPlayed, b->Extra.LastPlayed);
            return descending ? c > 0 : c < 0;
        };
        ShellSort(items, n, before);
        return;
    }
    auto key = [column](const GameRecord* r) -> uint32_t {
        return column == kStarColumn     ? r->Extra.Favourite
               : column == kPlayedColumn ? r->Extra.TimesPlayed
                                         : r->Extra.SecondsPlayed;
    };
    ShellSort(items, n, [descending, key](GameRecord* a, GameRecord* b) {
        return descending ? key(a) > key(b) : key(a) < key(b);
    });
}

void SortRecordsWithLstrcmp(GameRecord** items, DWORD n, DWORD column, bool descending) {
    if (descending)
        ShellSort(items, n, [column](GameRecord* a, GameRecord* b) {
            return lstrcmpA(ColumnText(*a, column), ColumnText(*b, column)) > 0;
        });
    else
        ShellSort(items, n, [column](GameRecord* a, GameRecord* b) {
            return lstrcmpA(ColumnText(*a, column), ColumnText(*b, column)) < 0;
        });
}

namespace {

// The list owns its sort arrows: they go with the window.
LRESULT CALLBACK GameListSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == kListPictureRefresh) {
        ShowFocusedPicture();
        return 0;
    }
    if (message == WM_NCDESTROY) {
        DetachGameIcons();
        RemoveWindowSubclass(window, GameListSubclass, 0);
        if (arrowDown) DeleteObject(arrowDown);
        if (arrowUp) DeleteObject(arrowUp);
        arrowDown = arrowUp = nullptr;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void CreateGameList(HWND mainWindow, ListLayoutState& layout) {
    GameListWindow = CreateWindowExA(0, "SysListView32", "", kGameListStyle, 0, 0, 0, 0, mainWindow, nullptr,
                                     ProgramInstance, nullptr);
    SendMessageA(GameListWindow, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kGameListExStyle);
    SendMessageA(GameListWindow, CCM_SETUNICODEFORMAT, TRUE, 0);
    InsertColumns();
    header = reinterpret_cast<HWND>(SendMessageA(GameListWindow, LVM_GETHEADER, 0, 0));
    SetWindowLongA(header, GWL_STYLE, GetWindowLongA(header, GWL_STYLE) | HDS_HOTTRACK | HDS_FULLDRAG);
    const DpiBitmaps arrows = BitmapsForSystemDpi();  // drawn for the screen's DPI
    arrowDown = static_cast<HBITMAP>(
        LoadImageA(ProgramInstance, MAKEINTRESOURCEA(arrows.sortDown), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    arrowUp = static_cast<HBITMAP>(
        LoadImageA(ProgramInstance, MAKEINTRESOURCEA(arrows.sortUp), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    SetWindowSubclass(GameListWindow, GameListSubclass, 0, 0);
    AttachGameIcons(GameListWindow);
    SendMessageA(GameListWindow, LVM_SETITEMCOUNT, 0, 0);
    sortColumn = layout.ListViewSortCol;
    sortDirection = layout.ListViewSortWhat;
    ExtendListLayout(layout);
    // A new list starts with an empty search box and no game remembered.
    searchWords.clear();
    focusName[0] = '\0';

    const DWORD count = StoredColumnCount(layout);
    for (int i = static_cast<int>(count) - 1; i >= 0; --i)
        SendMessageA(GameListWindow, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(layout.ListViewSize[i], 0));
    // Users expect the column order they dragged to come back.
    if (count == kListColumns && IsColumnOrder(layout.ListViewOrder, count))
        SendMessageA(GameListWindow, LVM_SETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(layout.ListViewOrder));

    ShowWindow(GameListWindow, SW_SHOW);
    SetFocus(GameListWindow);
    LVITEMA item{};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageA(GameListWindow, LVM_SETITEMSTATE, layout.ListViewFocus, reinterpret_cast<LPARAM>(&item));
    pendingFocus = layout.ListViewFocus;
    // Only a view command goes out: a damaged value such as 1001 (rebuild)
    // or 1003 (exit) counts as none chosen, and the list stays in details view.
    if (IsViewCommand(layout.ListViewMode))
        SendMessageA(mainWindow, WM_COMMAND, layout.ListViewMode, 0);
    else
        layout.ListViewMode = 0;
}

void SaveListLayout(ListLayoutState& layout) {
    layout.ListViewFocus = static_cast<int32_t>(SendMessageA(GameListWindow, LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
    const DWORD count = StoredColumnCount(layout);
    SendMessageA(GameListWindow, LVM_GETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(layout.ListViewOrder));
    if (ShownViewCommand(layout.ListViewMode) == IDM_VIEW_DETAILS)
        for (int i = static_cast<int>(count) - 1; i >= 0; --i)
            layout.ListViewSize[i] = static_cast<int32_t>(SendMessageA(GameListWindow, LVM_GETCOLUMNWIDTH, i, 0));
    layout.ListViewSortCol = sortColumn;
    // Every sort flips the direction, the first reload's included; storing it
    // flipped makes that first sort show the direction seen at exit.
    layout.ListViewSortWhat = sortDirection ^ 1;
}

void SetViewMode(DWORD bits) {
    const LONG style = GetWindowLongA(GameListWindow, GWL_STYLE);
    SetWindowLongA(GameListWindow, GWL_STYLE, (style & ~LVS_TYPEMASK) | (bits & LVS_TYPEMASK));
}

void ShowGameRecords(GameRecordList& list) {
    SendMessageA(GameListWindow, LVM_SETITEMCOUNT, 0, 0);
    ReleaseRecords();
    const DWORD n = list.count;
    if (n == 0) {
        RefreshShownGames();
        return;
    }
    loaded = static_cast<GameRecord**>(HeapAlloc(ProcessHeap, HEAP_ZERO_MEMORY, n * sizeof(GameRecord*)));
    records = static_cast<GameRecord**>(HeapAlloc(ProcessHeap, HEAP_ZERO_MEMORY, n * sizeof(GameRecord*)));
    if (!loaded || !records) {
        ReportMessage(GameListWindow, MessageSourceSystem, 0);
        while (GameRecord* r = PopGameRecord(list)) FreeGameRecord(r);
        if (loaded) HeapFree(ProcessHeap, 0, loaded);
        if (records) HeapFree(ProcessHeap, 0, records);
        loaded = records = nullptr;
        RefreshShownGames();
        return;
    }
    for (DWORD i = 0; i < n; ++i) loaded[i] = PopGameRecord(list);
    loadedCount = n;
    FoldSearchTexts();
    // Sorted before the list is told its new count (ShowPassing), so no
    // display callback reads the records in the middle of the sort.
    SortGameList(sortColumn);
    ApplyPendingFocus();
    PostPictureRefresh(GameListWindow);
}

void RefreshShownGames() { ShowPassing(loaded, loadedCount, true); }

// Each keystroke: typing on narrows the shown games, anything else starts
// again from every loaded one.
void SetSearchText(const char* typed) {
    std::vector<std::string> words = SearchWords(typed);
    if (words == searchWords) return;
    const bool narrows = OnlyNarrows(searchWords, words);
    searchWords = std::move(words);
    if (narrows)
        ShowPassing(records, recordCount, false);
    else
        ShowPassing(loaded, loadedCount, false);
}

DWORD ShownGameCount() { return recordCount; }
DWORD LoadedGameCount() { return loadedCount; }
const GameRecord* ShownGame(DWORD index) { return index < recordCount ? records[index] : nullptr; }

GameRecord* FocusedGame() {
    const LRESULT index = SendMessageA(GameListWindow, LVM_GETNEXTITEM, -1, LVNI_FOCUSED);
    return index >= 0 && static_cast<DWORD>(index) < recordCount ? records[index] : nullptr;
}

void UpdatePlayerData(const char* romName, const GameExtras& player) {
    bool changed = false;
    for (DWORD i = 0; i < loadedCount; ++i) {
        GameExtras& e = loaded[i]->Extra;
        if (std::strcmp(loaded[i]->RomName, romName) != 0) continue;
        changed = changed || e.Favourite != player.Favourite;
        e.Favourite = player.Favourite;
        e.TimesPlayed = player.TimesPlayed;
        e.SecondsPlayed = player.SecondsPlayed;
        std::memcpy(e.LastPlayed, player.LastPlayed, sizeof e.LastPlayed);
        FormatPlayerTexts(e);
    }
    // Favourites only: a game that stops being one leaves the list.
    if (changed && Settings.ViewFavouritesOnly)
        RefreshShownGames();
    else
        InvalidateRect(GameListWindow, nullptr, FALSE);
}

void SortGameList(DWORD column) {
    SetHeaderArrow(sortColumn, nullptr);
    sortDirection ^= 1;
    const bool descending = (sortDirection & 1) != 0;
    SetHeaderArrow(column, descending ? arrowDown : arrowUp);
    sortColumn = column;
    const DWORD n = loadedCount;
    if (n < 2) {
        RefreshShownGames();
        return;
    }
    if (column >= kCatalogueColumns && column < kListColumns)
        SortRecordsByPlayerData(loaded, n, column, descending);
    else if (column < kListColumns && !SortRecordsByKeys(loaded, n, column, descending))
        SortRecordsWithLstrcmp(loaded, n, column, descending);
    RefreshShownGames();
}

namespace {

// The list asks in Unicode (CCM_SETUNICODEFORMAT): today's descriptions
// and makers are UTF-8 and may hold characters of no ANSI code page.
LRESULT OnGetDispInfoW(NMLVDISPINFOW* info) {
    LVITEMW& item = info->item;
    if ((item.mask & LVIF_IMAGE) && item.iItem >= 0 && static_cast<DWORD>(item.iItem) < recordCount)
        item.iImage = RecordIconSlot(*records[item.iItem], item.iItem);
    if (!(item.mask & LVIF_TEXT) || item.iSubItem < 0 || item.iSubItem >= kListColumns) return 0;
    if (item.iItem < 0 || static_cast<DWORD>(item.iItem) >= recordCount || item.cchTextMax <= 0) return 0;
    CatalogueTextToWide(ColumnText(*records[item.iItem], item.iSubItem), item.pszText, item.cchTextMax);
    return 0;
}

LRESULT OnGetDispInfo(NMLVDISPINFOA* info) {
    LVITEMA& item = info->item;
    if ((item.mask & LVIF_IMAGE) && item.iItem >= 0 && static_cast<DWORD>(item.iItem) < recordCount)
        item.iImage = RecordIconSlot(*records[item.iItem], item.iItem);
    if (!(item.mask & LVIF_TEXT) || item.iSubItem < 0 || item.iSubItem >= kListColumns) return 0;
    if (item.iItem < 0 || static_cast<DWORD>(item.iItem) >= recordCount || item.cchTextMax <= 0) return 0;
    lstrcpynA(item.pszText, ColumnText(*records[item.iItem], item.iSubItem), item.cchTextMax);
    return 0;
}

// Remembers the game the user (not the narrowing) puts the focus on.
void OnItemChanged(const NMLISTVIEW* change) {
    if (narrowing || change->iItem < 0 || static_cast<DWORD>(change->iItem) >= recordCount) return;
    if ((change->uNewState & LVIS_FOCUSED) && !(change->uOldState & LVIS_FOCUSED))
        lstrcpynA(focusName, records[change->iItem]->RomName, sizeof focusName);
}

LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw) {
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: ColourGameRow(draw); return CDRF_NEWFONT;
    default: return 0;
    }
}

}  // namespace

LRESULT GameListNotify(HWND mainWindow, NMHDR* hdr) {
    if (ListPictureNotify(hdr)) return 0;
    switch (hdr->code) {
    case LVN_GETDISPINFOA: return OnGetDispInfo(reinterpret_cast<NMLVDISPINFOA*>(hdr));
    case LVN_GETDISPINFOW: return OnGetDispInfoW(reinterpret_cast<NMLVDISPINFOW*>(hdr));
    case LVN_COLUMNCLICK: SortGameList(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem); return 0;
    case NM_CUSTOMDRAW: return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(hdr));
    case LVN_ITEMCHANGED: OnItemChanged(reinterpret_cast<NMLISTVIEW*>(hdr)); return 0;
    case NM_DBLCLK: SendMessageA(mainWindow, WM_COMMAND, IDM_RUN, 0); return 0;
    case LVN_KEYDOWN:
        if (reinterpret_cast<NMLVKEYDOWN*>(hdr)->wVKey == VK_RETURN) SendMessageA(mainWindow, WM_COMMAND, IDM_RUN, 0);
        return 0;
    default: return 0;
    }
}

void ColourGameRow(NMLVCUSTOMDRAW* draw) {
    char status[256] = "";
    LVITEMA item{};
    item.iSubItem = 6;
    item.pszText = status;
    item.cchTextMax = sizeof status;
    SendMessageA(draw->nmcd.hdr.hwndFrom, LVM_GETITEMTEXTA, draw->nmcd.dwItemSpec, reinterpret_cast<LPARAM>(&item));
    const StatusColours colours{Settings.ColorGood, Settings.ColorBest, Settings.ColorBad, Settings.ColorNot};
    draw->clrTextBk = RowColourFor(status, StatusTextGood, StatusTextBest, StatusTextBad, colours);
}

POINT GameListMenuPoint(LPARAM position) {
    POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (point.x != -1 || point.y != -1) return point;
    point = {0, 0};
    const LRESULT focus = SendMessageA(GameListWindow, LVM_GETNEXTITEM, -1, LVNI_FOCUSED);
    if (focus >= 0) {
        SendMessageA(GameListWindow, LVM_ENSUREVISIBLE, focus, FALSE);
        RECT row{};
        row.left = LVIR_LABEL;
        RECT client;
        if (SendMessageA(GameListWindow, LVM_GETITEMRECT, focus, reinterpret_cast<LPARAM>(&row)) &&
            GetClientRect(GameListWindow, &client)) {
            // A row scrolled sideways may start left of the list.
            point.x = row.left < 0 ? 0 : (row.left < client.right ? row.left : client.right - 1);
            point.y = row.bottom;
        }
    }
    ClientToScreen(GameListWindow, &point);
    return point;
}

int CatalogueTextToWide(const char* text, wchar_t* out, int capacity) {
    if (capacity <= 0) return 0;
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, out, capacity);
    if (length == 0 && GetLastError() == ERROR_NO_UNICODE_TRANSLATION)
        length = MultiByteToWideChar(CP_ACP, 0, text, -1, out, capacity);
    if (length == 0) {  // longer than the buffer: keep what fits
        out[capacity - 1] = L'\0';
        return static_cast<int>(lstrlenW(out));
    }
    return length - 1;
}

const GameRecord* GameRecordAt(int index) {
    return records && index >= 0 && static_cast<DWORD>(index) < recordCount ? records[index] : nullptr;
}

void GetFocusedItemText(char* buffer, int column, int capacity) {
    const LRESULT index = SendMessageA(GameListWindow, LVM_GETNEXTITEM, -1, LVNI_FOCUSED);
    if (index < 0) return;
    // The record's own bytes: asked of the control, a Unicode list would
    // hand them over converted to the ANSI code page.
    if (records && static_cast<DWORD>(index) < recordCount && column >= 0 && column < kListColumns) {
        lstrcpynA(buffer, ColumnText(*records[index], column), capacity);
        return;
    }
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = capacity;
    SendMessageA(GameListWindow, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
}

DWORD WINAPI ReloadGameList(LPVOID parameter) {
    const HWND dialog = static_cast<HWND>(parameter);
    GameRecordList list{};
    FetchGames(dialog, list, RecordTexts);
    // A cancelled reload leaves the list as it was.
    if (!TaskCancelled()) {
        ApplyPlayerData(list);
        ShowGameRecords(list);
    }
    // The list normally takes every record; whatever it could not take (its
    // own allocation failed) is released here rather than lost.
    while (GameRecord* record = PopGameRecord(list)) FreeGameRecord(record);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    return 0;
}

}  // namespace quillet
