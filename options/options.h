// The emulator configuration editor's Win32 side: the commands that open
// it (which choose the era's or today's editor from the file), and the
// era's nine-page option sheet over EmuOptions with its reading and saving.
#pragma once

#include <windows.h>

namespace quillet {

// Resets EmuOptions, then reads `path`, shared with other programs. A
// missing file is no error (the sheet opens with every option unset).
// Returns 0, after a message, for a file that exists but cannot be read
// and for a file in today's layout, which the era's model would destroy.
int LoadEmulatorOptions(HWND owner, const char* path);

// Writes EmuOptions to `path` through WriteIniFile (.bak, .orig, one-step
// replacement). A file that meanwhile holds today's layout is refused.
// Failures are reported to the user; returns false after one.
bool SaveEmulatorOptions(HWND owner, const char* path);

// The era's edit cycle on one ini file: read, show the sheet modally at
// `startPage` (0-8), write back unless the user cancelled without ever
// applying. Warns and does nothing when no emulator has been chosen, and
// opens no sheet when the file cannot be read or is in today's layout.
void OpenEmulatorOptionsSheet(HWND owner, int startPage, const char* path);

// Commands 1040-1048 (`command`): the editor the global file calls for,
// the era's or today's, decided from the file itself.
void OpenMameSettings(HWND owner, UINT command);

// Names commands 1040-1048 of `menu`, when it holds them, after the pages
// they open on the global file as it is now: today's pages or the era's.
// Never runs the emulator: a missing file follows what is known of it.
void LabelMameSettingsMenu(HMENU menu);

// Command 1011: the same for the focused game's own ini file. Does nothing
// when no game has the focus.
void OpenGameOptionsSheet(HWND owner);

}  // namespace quillet
