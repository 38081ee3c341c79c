// Pickers that put a chosen path into a dialog's edit control. Used by the
// preferences sheet, the first-start wizard and the emulator path pages.
#pragma once

#include <windows.h>

namespace quillet {

// Open-file dialog seeded with the edit's text. filter is a double-NUL ended
// list of description/pattern pairs. Returns 1 when a file was chosen and
// written into the edit, 0 otherwise (the edit is left alone).
int ChooseFile(HWND dialog, int editId, const char* filter);

// Shell folder browser rooted at the desktop. Writes the chosen folder
// without a trailing backslash (a drive root keeps its "X:\") into the edit
// and returns non-zero; returns 0 on cancel and leaves the edit alone.
int ChooseFolder(HWND dialog, int editId, const char* title);

}  // namespace quillet
