// Handing the focused game to another program.
#pragma once

namespace quillet {

void RunSelectedGame();   // command 1010
// Command 1015: the game's archive on the server RomServer names (the
// built-in one when that value is empty or unusable).
void OpenRomDownload();

}  // namespace quillet
