// Between the game list and the pictures: the focused game's picture in the
// pane, the rows' icons, and Tab from the list to the pane. User-interface
// thread only, except PostPictureRefresh.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "db/game_record.h"

namespace quillet {

// Posted to the list after a reload; the list then shows the focused game's
// picture (the focus index may be unchanged while the game under it is not).
inline constexpr UINT kListPictureRefresh = WM_APP + 0x1910;
inline void PostPictureRefresh(HWND list) { PostMessageA(list, kListPictureRefresh, 0, 0); }

// Shows the focused row's game in the picture pane (none: an empty pane).
void ShowFocusedPicture();
// The list's notifications the pictures follow: a focus change, and Tab
// (true: handled, focus now in the pane).
bool ListPictureNotify(NMHDR* header);
// The icon slot of a record's row.
int RecordIconSlot(const GameRecord& record, int row);

}  // namespace quillet
