// Building the catalogue from the emulator's own output.
#pragma once

#include <windows.h>

namespace quillet {

// Worker routines for RunBackgroundTask. Rebuild: game list capture and
// import, then verification, then categories; verify: the last two.
// Both end with the category import, which closes the dialog.
DWORD WINAPI RebuildCatalogueTask(LPVOID dialog);
DWORD WINAPI VerifySetsTask(LPVOID dialog);

}  // namespace quillet
