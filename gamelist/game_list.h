// The virtual game list: creation, layout, records, sorting and colours.
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
// One column's text of the focused row as the catalogue holds it (UTF-8
// for today's emulator, bytes of the ANSI code page for the era's).
void GetFocusedItemText(char* buffer, int column, int capacity);

// A catalogue text for Unicode controls: UTF-8 where the bytes are valid
// UTF-8 (plain ASCII is), the ANSI code page otherwise. Always terminated;
// returns the characters written without the terminator.
int CatalogueTextToWide(const char* text, wchar_t* out, int capacity);

}  // namespace quillet
