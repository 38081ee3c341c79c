// Shared by the screenshot programs of tools/screens.d: find the sheet a
// modal loop shows, let it paint, and write what the screen shows of a
// window (frame and caption included) as a 24-bit BMP file.
#pragma once

#include <windows.h>

#include <string>

namespace quillet::screens {

// The visible top-level window of this thread that holds a tab control: the
// property sheet a modal loop is showing. Null when there is none yet.
HWND FindThreadSheet();

// Dispatches this thread's messages for `ms` milliseconds, so a window
// moved or changed has painted before it is shot.
void PumpMessagesFor(DWORD ms);

// Writes the window's screen rectangle to `path`. False when it could not.
bool SaveWindowBitmap(HWND window, const std::string& path);

}  // namespace quillet::screens
