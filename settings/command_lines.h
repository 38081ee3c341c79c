// The command lines Quillet hands to CreateProcess: the emulator's (a game to
// run, or an option of the catalogue build) and the explorer's for a game's
// ROM archive. Pure text work; the callers start the processes.
#pragma once

#include <cstddef>

namespace quillet {

// The server used when `RomServer` holds no usable value. A name under
// example.org is reserved and can never be registered by anyone else.
constexpr char kBuiltInRomServer[] = "roms.example.org";

// `"emulator"  "argument"`: both quoted, so a path with spaces such as
// C:\Program Files\MAME\mame.exe can never be taken for C:\Program.exe.
// An argument of several options ("-noreadconfig -showconfig") goes over as
// `"emulator"  "-noreadconfig" "-showconfig"`.
// False, with `out` emptied, when the line does not fit `capacity` bytes or
// when the path or the argument holds a double quote: such a text would end
// its quotes early and the rest would become further arguments.
bool ComposeEmulatorCommand(char* out, size_t capacity, const char* emulator, const char* argument);

// Whether a `RomServer` value is a usable `host[:port]`: a host of letters,
// digits, dots and hyphens, then optionally one colon and a port 1-65535.
bool IsUsableRomServer(const char* value);

// The value itself when usable, else kBuiltInRomServer.
const char* RomServerOrBuiltIn(const char* value);

// "EXPLORER" "ftp://SERVER/arcade/mame/roms/NAME.zip", with the explorer's
// full path. False, with `out` emptied, when it does not fit or a part holds
// a double quote.
bool ComposeRomDownloadCommand(char* out, size_t capacity, const char* explorer, const char* server,
                               const char* romName);

}  // namespace quillet
