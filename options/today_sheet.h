// Today's option sheet: the pages over today's mame.ini or a game's own ini
// file, built from the emulator's own option list.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

enum class TodayPage : uint8_t { Paths, Video, Sound, Input, Performance, Screen, AllOptions };

// The edit cycle on `path`: read (a file that exists but cannot be read
// opens no sheet), show the pages at `start`, save the changed lines on
// apply. `romName` empty: the global file; else that game's own file,
// holding only what the game sets.
void OpenTodaySheet(HWND owner, TodayPage start, const std::string& path, const std::string& romName);

}  // namespace quillet
