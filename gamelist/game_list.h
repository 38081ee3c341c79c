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
// callbacks; the item count is set to 0 before the array is replaced, so no
// callback reads a freed record. Everything else here (creation, layout,
// header clicks, focus, colours) belongs to the user-interface thread.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "db/database.h"
#include "settings/frontend_settings.h"

namespace quillet {

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
// The same order from the locale's sort keys (the keys of two texts compare
// bytewise as lstrcmpA compares the texts). False when keys cannot be made;
// the items are then left as they were.
bool SortRecordsByKeys(GameRecord** items, DWORD n, DWORD column, bool descending);
LRESULT GameListNotify(HWND mainWindow, NMHDR* header);
void ColourGameRow(NMLVCUSTOMDRAW* draw);
void GetFocusedItemText(char* buffer, int column, int capacity);

}  // namespace quillet
