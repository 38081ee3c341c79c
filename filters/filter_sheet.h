// The nine-page filter sheet over the page state of Settings.Filter.
#pragma once

#include <windows.h>

namespace quillet {

// Runs the sheet modally at `startPage` (0-8: name, ROM status, driver,
// year, manufacturer, video, palette, resolution, frequency). When it was
// applied, rebuilds the query block, reloads the list under the progress
// dialog and saves the settings, in that order, before returning.
void ShowFilterSheet(HWND owner, UINT startPage);

}  // namespace quillet
