// Finding and keeping games in the main window: the search box, the quick
// hides and favourites-only, favourites, play statistics and list export.
// main_window.cpp calls in here; the list itself narrows (gamelist/).
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

extern HWND SearchBox;

// The toolbar's favourites-only button (after the built-in ones) and the
// rebar band with the search box.
void AddFindingButtons(HWND toolbar);
void AddSearchBand(HWND rebar);
// Check marks and button states from Settings, once the menu is attached.
void MarkFindingCommands(HWND window);
// The keys of the main window: Ctrl+F, Escape, Ctrl+D.
HACCEL LoadMainAccelerators();

// Commands 1100-1109 and the search box's notifications; false for any
// other command.
bool OnFindingCommand(HWND window, UINT command, UINT code);
// Messages of the main window handled here (menu states, the list's
// counts, play reports, the retry timer); false for any other.
bool HandleFindingMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// Play statistics: a game started with `process` is watched by a thread of
// its own, which takes the handle. Once it has run 2 s the start counts
// (times played, last played); when it ends, its time is added. The thread
// only posts to MainWindow; the catalogue is written on the user-interface
// thread once no background task runs.
void TrackGameRun(HANDLE process, const char* romName);
// The local time as the catalogue stores it, "YYYY-MM-DD HH:MM:SS".
std::string LocalTimeText();

// Writes the shown games as CSV to `path`; false (and one box) on failure.
bool ExportListTo(HWND owner, const std::wstring& path);

}  // namespace quillet
