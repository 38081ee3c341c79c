#pragma once

#include <windows.h>

namespace quillet {

// The machine and user keys (both "Software\Halvorn\Quillet\").
extern const char kSettingsKey[];
extern const char kLanguagesKey[];

void LoadSettings();
void SaveSettings(HWND owner);
// Writes one user value of the table (by its name) to the user key now;
// false when there is no such value or it could not be written.
bool SaveUserValue(const char* name);

}  // namespace quillet
