#include "settings/language.h"

#include <cstdio>
#include <cstring>

#include "base/globals.h"
#include "base/report.h"
#include "settings/record_texts.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/settings_store.h"

namespace quillet {

HMENU MainMenu;
char RecordTexts[13][16];
char StatusTextGood[15];
char StatusTextBest[15];
char StatusTextBad[15];

void FillLanguageTable(LanguageTable& table, bool* keyOpened) {
    std::memset(&table, 0, sizeof table);
    HKEY key;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kLanguagesKey, 0, KEY_READ, &key);
    if (keyOpened) *keyOpened = status == ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) {
        SetLastError(status);
        return;
    }
    // The enumeration ends at the first value that does not fit an entry.
    for (DWORD index = 0; index < 16; ++index) {
        LanguageEntry& e = table.entries[index];
        DWORD nameLength = sizeof e.name;
        DWORD id = 0;
        DWORD dataLength = sizeof id;
        if (RegEnumValueA(key, index, e.name, &nameLength, nullptr, nullptr, reinterpret_cast<BYTE*>(&id),
                          &dataLength) != ERROR_SUCCESS) {
            std::memset(&e, 0, sizeof e);
            break;
        }
        e.id = id;
        table.count = index + 1;
    }
    RegCloseKey(key);
}

namespace {

// Always by full path below the program's own folder, so the DLL search
// order (and with it the current directory) never picks the module.
bool LoadModuleNamed(const char* name) {
    WCHAR wideName[32];
    // A module name is a bare file name: never a path that leads elsewhere.
    if (ProgramDirectory[0] == L'\0' || std::strpbrk(name, "\\/:") != nullptr ||
        MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, sizeof wideName / sizeof wideName[0]) == 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return false;
    }
    WCHAR path[1024];
    const int length = _snwprintf(path, sizeof path / sizeof path[0], L"%ls\\languages\\%ls.dll", ProgramDirectory, wideName);
    if (length < 0 || static_cast<size_t>(length) >= sizeof path / sizeof path[0]) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    LanguageModule = LoadLibraryExW(path, nullptr, 0);
    return LanguageModule != nullptr;
}

// Index of the last entry with the given primary language id, or -1.
int FindLastWithId(const LanguageTable& table, uint32_t id) {
    for (int i = static_cast<int>(table.count) - 1; i >= 0; --i)
        if (table.entries[i].id == id) return i;
    return -1;
}

bool LoadEntry(const LanguageTable& table, int index) {
    std::memcpy(Settings.Lang, table.entries[index].name, sizeof Settings.Lang);
    return LoadModuleNamed(Settings.Lang);
}

}  // namespace

bool LoadLanguageModule() {
    LanguageTable table;
    bool opened = false;
    FillLanguageTable(table, &opened);
    if (!opened) ReportMessage(nullptr, MessageSourceSystem, 0);

    if (Settings.Lang[0] != '\0') {
        if (LoadModuleNamed(Settings.Lang)) return true;
        ReportMessage(nullptr, MessageSourceSystem, 0);
    }
    const int user = FindLastWithId(table, PRIMARYLANGID(GetUserDefaultLangID()));
    if (user >= 0 && LoadEntry(table, user)) return true;
    const int english = FindLastWithId(table, LANG_ENGLISH);
    if (english >= 0 && LoadEntry(table, english)) return true;
    if (table.count > 0 && LoadEntry(table, 0)) return true;
    Settings.Lang[0] = '\0';
    return false;
}

void LoadStartupTexts() {
    for (int i = 0; i < kRecordTextCount; ++i)
        if (LoadStringA(LanguageModule, kRecordTextIds[i], RecordTexts[i], sizeof RecordTexts[i]) <= 0)
            RecordTexts[i][0] = '\0';
    if (LoadStringA(LanguageModule, IDS_STATUS_GOOD, StatusTextGood, sizeof StatusTextGood) <= 0) StatusTextGood[0] = '\0';
    if (LoadStringA(LanguageModule, IDS_STATUS_BEST, StatusTextBest, sizeof StatusTextBest) <= 0) StatusTextBest[0] = '\0';
    if (LoadStringA(LanguageModule, IDS_STATUS_BAD, StatusTextBad, sizeof StatusTextBad) <= 0) StatusTextBad[0] = '\0';
    MainMenu = LoadMenuA(LanguageModule, MAKEINTRESOURCEA(IDM_MAIN));
}

void FillLanguageList(HWND page, HWND combo) {
    HKEY key;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kLanguagesKey, 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS) {
        SetLastError(status);
        ReportMessage(page, MessageSourceSystem, 0);
        return;
    }
    char name[25];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    RegCloseKey(key);
}

}  // namespace quillet
