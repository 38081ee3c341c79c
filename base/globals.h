// Process-wide values set once at start-up, before any second thread exists.
#pragma once

#include <windows.h>

namespace quillet {

extern HINSTANCE ProgramInstance;  // our own module: icon, bitmaps, dialogs 13200/13210
extern HANDLE ProcessHeap;         // every record allocation of a reload
// The folder of Quillet.exe, no trailing backslash: language modules and a
// portable catalogue are looked for there, never in the current directory.
extern WCHAR ProgramDirectory[MAX_PATH];
// The catalogue the main window connects to, in the ANSI code page (a short
// path where the long one has characters outside it).
extern char DatabasePath[256];
// The same catalogue by its full, long name, for showing it to the user.
extern WCHAR CatalogueFile[MAX_PATH];
extern HMODULE LanguageModule;  // the language module: loaded at start-up, never unloaded

}  // namespace quillet
