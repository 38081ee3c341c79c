// Today's option sheet: the pages over today's mame.ini or a game's own ini
// file, built from the emulator's own option list.
#pragma once

#include <windows.h>

#include <string>

#include "options/today_options.h"

namespace quillet {

using TodayPage = TodayPageId;

// The edit cycle on `path`: read (a file that exists but cannot be read
// opens no sheet), show the pages at `start`, and when anything was applied
// write the file back with only the changed option lines rewritten.
// `romName` empty: the global file; else that game's own file, which holds
// only what the game sets, each option showing what it inherits from
// `parentName`'s ini (a clone's parent; may be empty) or from mame.ini.
// `pathOption` names the folder option the Paths page shows first.
void OpenTodaySheet(HWND owner, TodayPage start, const std::string& path, const std::string& romName,
                    const std::string& parentName = {}, const char* pathOption = nullptr);

}  // namespace quillet
