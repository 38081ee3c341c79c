// Choosing and loading the language module, and the texts taken from it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/globals.h"  // LanguageModule

namespace quillet {

struct LanguageEntry {
    char name[28];
    uint32_t id;  // primary language id
};

struct LanguageTable {
    LanguageEntry entries[16];
    uint32_t count;
};

extern HMENU MainMenu;          // menu 1000 of the module

// The 13 display texts of coded columns, in the order of string ids
// 2047, 2048, 2039, 2040, 2041, 2042, 2044, 2045, 2046, 2035, 2036, 2037, 2038.
extern char RecordTexts[13][16];
// Strings 2039-2041 again, at most 14 characters, for the status colours.
extern char StatusTextGood[15];
extern char StatusTextBest[15];
extern char StatusTextBad[15];

void FillLanguageTable(LanguageTable& table, bool* keyOpened);
bool LoadLanguageModule();        // false: no module could be loaded at all
void LoadStartupTexts();
void FillLanguageList(HWND page, HWND combo);

}  // namespace quillet
