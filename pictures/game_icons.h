// The game list's icons: two bounded image lists (small and large) whose
// slots are reused, filled off the user-interface thread. Only the rows the
// list draws ask for their icon; a row whose icon arrives is drawn again.
// User-interface thread only.
#pragma once

#include <windows.h>

namespace quillet {

// Slots of each image list besides slot 0, the default icon.
inline constexpr int kIconSlots = 512;

// Prepares the image lists for `list` and gives them to it when
// Settings.EnableIcons is set.
void AttachGameIcons(HWND list);
// Turns the icons on or off (Settings.EnableIcons) and redraws the list.
void EnableGameIcons(bool enabled);
bool GameIconsEnabled();
// The image-list slot of a game's icon for the list's row `row`: its own
// once loaded, else the default (0), asking for it when it is not known yet
// (the row is drawn again when it arrives, if still in view).
int GameIconSlot(const char* game, const char* iconFile, int row);
// Forgets which games have which icon (the folders may have changed).
void ForgetGameIcons();
// Frees the image lists (the list is gone).
void DetachGameIcons();

}  // namespace quillet
