#pragma once

namespace quillet {

// The whole run: single instance, settings, language, main window. Never
// returns; the process exits with 0 (1 when no language module loads).
[[noreturn]] void RunApplication();

// ProgramDirectory from the program's own file name (empty when it does not
// fit), whatever the current directory is.
void NoteProgramDirectory();

// Takes the current directory out of the DLL search order and, where the
// system offers it, limits the search to the program's and the system's
// folders. First thing at start-up, before anything is loaded on demand.
void HardenLibrarySearch();

}  // namespace quillet
