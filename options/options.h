// The emulator configuration editor's Win32 side: reading and replacing an
// ini file, and the nine-page option sheet over EmuOptions.
#pragma once

#include <windows.h>

namespace quillet {

// Resets EmuOptions, then reads `path` through a read-only mapping when it
// can be opened. A missing or locked file is no error (the sheet opens with
// every option unset); a mapping failure is reported. Always returns 1.
int LoadEmulatorOptions(HWND owner, const char* path);

// Writes EmuOptions to `path`: the new text goes to a temporary file in the
// same folder, which then replaces the old file in one step; the old file is
// kept as "<path>.bak". A read-only file is never replaced. Failures are
// reported to the user; returns false after one.
bool SaveEmulatorOptions(HWND owner, const char* path);

// The whole edit cycle on one ini file: read, show the sheet modally at
// `startPage` (0-8), write back unless the user cancelled without ever
// applying. Warns and does nothing when no emulator has been chosen.
void OpenEmulatorOptionsSheet(HWND owner, int startPage, const char* path);

// Command 1011: the sheet on "<MameDir><rom>.ini" for the focused game,
// at its first page. Does nothing when no game has the focus.
void OpenGameOptionsSheet(HWND owner);

}  // namespace quillet
