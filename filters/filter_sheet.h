// The nine-page filter sheet over the page state of Settings.Filter.
#pragma once

#include <windows.h>

#include <cstdint>

namespace quillet {

// 1 once any page has handled Apply (Apply or OK) during the current run
// of the sheet; ShowFilterSheet reads it after the sheet has closed.
extern uint8_t FiltersApplied;

// Runs the sheet modally at `startPage` (0-8: name, ROM status, driver,
// year, manufacturer, video, palette, resolution, frequency). When it was
// applied, rebuilds the query block, reloads the list under the progress
// dialog and saves the settings, in that order, before returning.
void ShowFilterSheet(HWND owner, UINT startPage);

INT_PTR CALLBACK NamePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RomStatusPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DriverPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK YearPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ManufacturerPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK VideoPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PalettePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ResolutionPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FrequencyPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quillet
