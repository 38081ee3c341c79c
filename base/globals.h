// Process-wide values set once at start-up, before any second thread exists.
#pragma once

#include <windows.h>

namespace quillet {

extern HINSTANCE ProgramInstance;  // our own module: icon, bitmaps, dialogs 13200/13210
extern HANDLE ProcessHeap;         // every record allocation of a reload
extern char StartDirectory[260];   // current directory at start-up, no trailing backslash
extern char DatabasePath[256];     // StartDirectory + "\gamelist.mdb"
extern HMODULE LanguageModule;  // the language module: loaded at start-up, never unloaded

}  // namespace quillet
