// The virtual game list: creation, layout, records, sorting and colours.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "db/database.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"

namespace quillet {

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
void GetFocusedItemText(char* buffer, int column, int capacity);
// Where the list's context menu opens, in screen coordinates, for the
// position of a WM_CONTEXTMENU: a click's own position; for the keyboard
// (Shift+F10 or the menu key, position -1, -1) under the focused row,
// scrolled into view, or at the list's top-left corner when no row has it.
POINT GameListMenuPoint(LPARAM position);

}  // namespace quillet
