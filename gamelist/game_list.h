// The virtual game list: creation, layout, records, sorting and colours,
// and the reload that fills it.
//
// Threads. ReloadGameList is a background task: it runs on a worker thread
// (RunBackgroundTask) while the user-interface thread sits in the modal
// progress dialog. On the worker run FetchGames (it reads the prepared game
// query and the FilterQueryBlock bound to it, which no page can change while
// the dialog is up, allocates records from ProcessHeap and sends progress to
// the dialog) and then ShowGameRecords and the SortGameList it calls, which
// replace and sort the list's record array and move the header arrow. Those
// may touch the record array, the sort state and the list view, the view
// only through SendMessage, which the user-interface thread serves. That
// thread reads the array only in the view's display and custom-draw
// callbacks; the item count is set to 0 before the array is replaced and
// raised only once it is sorted, so no callback reads a freed record or
// one in the middle of the sort. A cancelled reload leaves the list as it
// was. Everything else here (creation, layout, header clicks, focus,
// colours) belongs to the user-interface thread.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "db/database.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"

namespace quillet {

// The list view, a child of the main window, created by CreateGameList.
extern HWND GameListWindow;

// The four view commands 1060-1063 are the only values of ListViewMode that
// are sent as commands. Any other value means no view chosen yet: the list
// is then in details view, and its button and menu item show that.
constexpr bool IsViewCommand(uint32_t command) { return command >= IDM_VIEW_LARGE && command <= IDM_VIEW_DETAILS; }
constexpr uint32_t ShownViewCommand(uint32_t stored) { return IsViewCommand(stored) ? stored : IDM_VIEW_DETAILS; }

// Applies the stored layout; a ListViewMode that is no view command becomes 0.
void CreateGameList(HWND mainWindow, ListLayoutState& layout);
void SaveListLayout(ListLayoutState& layout);
void SetViewMode(DWORD bits);

void ShowGameRecords(GameRecordList& list);
// Background task: fetch the filtered games and hand them to the list.
DWORD WINAPI ReloadGameList(LPVOID dialog);
void SortGameList(DWORD column);
// The plain comparison the list's order is defined by; the list itself sorts
// by locale sort keys, which order the same way faster.
void SortRecordsWithLstrcmp(GameRecord** items, DWORD n, DWORD column, bool descending);
// The sort key of a text for the thread locale, as lstrcmpA compares it.
bool MakeSortKey(const char* text, char* key, int room);
// The same order from the locale's sort keys (the keys of two texts compare
// bytewise as lstrcmpA compares the texts). False when keys cannot be made;
// the items are then left as they were.
bool SortRecordsByKeys(GameRecord** items, DWORD n, DWORD column, bool descending);
LRESULT GameListNotify(HWND mainWindow, NMHDR* header);
void ColourGameRow(NMLVCUSTOMDRAW* draw);
// One column's text of the focused row as the catalogue holds it (UTF-8
// for today's emulator, bytes of the ANSI code page for the era's).
void GetFocusedItemText(char* buffer, int column, int capacity);
// The record of row `index`, or null (user-interface thread).
const GameRecord* GameRecordAt(int index);
// Where the list's context menu opens, in screen coordinates, for the
// position of a WM_CONTEXTMENU: a click's own position; for the keyboard
// (Shift+F10 or the menu key, position -1, -1) under the focused row,
// scrolled into view, or at the list's top-left corner when no row has it.
POINT GameListMenuPoint(LPARAM position);

// ---- Finding games: search as you type, quick hides, favourites ----------
// The shown games are the loaded ones (those the filters admit) that hold
// every searched word and pass the quick hides and favourites-only of
// Settings; the list shows them in the sort order, with the focused game
// kept by its ROM name. Each change sends WMU_LIST_COUNTS to the list's parent.

// wParam: games shown; lParam: games loaded.
constexpr UINT WMU_LIST_COUNTS = WM_APP + 0x2010;

// The header string of list column `column` (0-19).
constexpr UINT ColumnHeaderString(int column) {
    return column < 16 ? IDS_COLUMN_FIRST + column : IDS_COLUMN_STAR + (column - 16);
}

// Narrows the shown games to those holding every word of `typed` (UTF-8).
void SetSearchText(const char* typed);
// Shows again the loaded games that pass (after a hide or favourites-only changed).
void RefreshShownGames();
DWORD ShownGameCount();
DWORD LoadedGameCount();
const GameRecord* ShownGame(DWORD index);  // null past the end
// The record of the focused row, or null.
GameRecord* FocusedGame();
// Takes the player's data of every loaded record of `romName` from `player`.
void UpdatePlayerData(const char* romName, const GameExtras& player);
// The sort of the star and play statistics columns (16-19).
void SortRecordsByPlayerData(GameRecord** items, DWORD n, DWORD column, bool descending);

// A catalogue text for Unicode controls: UTF-8 where the bytes are valid
// UTF-8 (plain ASCII is), the ANSI code page otherwise. Always terminated;
// returns the characters written without the terminator.
int CatalogueTextToWide(const char* text, wchar_t* out, int capacity);

}  // namespace quillet
