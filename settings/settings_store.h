#pragma once

#include <windows.h>

namespace quillet {

// The machine and user keys (both "Software\Halvorn\Quillet\").
extern const char kSettingsKey[];
extern const char kLanguagesKey[];

void LoadSettings();
void SaveSettings(HWND owner);

}  // namespace quillet
