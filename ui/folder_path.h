// How a folder chosen in the shell's browser is written into an edit. Pure:
// no Windows header, so the native tests reach it.
#pragma once

#include <cstring>

namespace quillet {

// Drops the trailing backslash of a chosen folder ("C:\MAME\" -> "C:\MAME"),
// except where it is the folder: a drive root keeps it, since "E:" alone
// names the current folder of drive E, which for an emulator started in its
// own folder is that folder, not the root. A lone "\" stays as well.
inline void DropTrailingBackslash(char* path) {
    const size_t length = std::strlen(path);
    if (length < 2 || path[length - 1] != '\\') return;
    if (length == 3 && path[1] == ':') return;
    path[length - 1] = '\0';
}

}  // namespace quillet
