// Handing the focused game to another program.
#pragma once

namespace quillet {

// "explorer.exe" with the game's archive on the ROM server; %s is the name.
extern const char RomDownloadUrlFormat[];

void RunSelectedGame();   // command 1010
void OpenRomDownload();   // command 1015

}  // namespace quillet
