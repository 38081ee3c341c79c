// What the configured emulator says about its options: "-showconfig" (its
// ini text with its section headers and defaults) and "-showusage" (names,
// sections and descriptions). Captured once per emulator file (path, size,
// time) and kept in memory for the session.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

struct EmulatorTexts {
    std::string config;  // "-showconfig"
    std::string usage;   // "-showusage"
};

// The texts of the emulator in Settings.MameName, captured under the
// progress dialog owned by `owner` the first time. An emulator that does
// not know the options (the era's) leaves them empty.
const EmulatorTexts& TodayEmulatorTexts(HWND owner);

// Forgets every capture (the tests replace the emulator's answers).
void ForgetEmulatorTexts();

}  // namespace quillet
