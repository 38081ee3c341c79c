#pragma once

namespace quillet {

// The whole run: single instance, settings, language, main window. Never
// returns; the process exits with 0 (1 when no language module loads).
[[noreturn]] void RunApplication();

// StartDirectory and DatabasePath from the current directory. A directory
// too long for DatabasePath leaves it empty, so the catalogue is reported as
// not found instead of being looked for at a cut path.
void NoteStartDirectory();

}  // namespace quillet
