// Building the catalogue from the emulator's own output.
#pragma once

#include <windows.h>

namespace quillet {

// Worker routines for RunBackgroundTask. Rebuild: game list capture and
// import, then verification, then categories, all in one transaction;
// verify: the last two, each committed on its own. Both close the dialog
// last and return 1 when the catalogue changed, 0 when it is as it was
// (a failure or a cancel), so the list need not be reloaded.
DWORD WINAPI RebuildCatalogueTask(LPVOID dialog);
DWORD WINAPI VerifySetsTask(LPVOID dialog);

}  // namespace quillet
