// What the configured emulator says about its options: "-showconfig" (its
// ini text with its section headers and defaults) and "-showusage" (names,
// sections and descriptions). Captured once per emulator file (path, size,
// time) and kept in memory for the session.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "options/today_options.h"

namespace quillet {

struct EmulatorTexts {
    std::string config;  // "-showconfig"
    std::string usage;   // "-showusage"
    std::vector<TodayOption> options;  // the two read together, once
};

// The texts of the emulator in Settings.MameName, captured under the
// progress dialog owned by `owner` the first time. An emulator that does
// not know the options (the era's) leaves them empty.
const EmulatorTexts& TodayEmulatorTexts(HWND owner);

// The texts of the emulator in Settings.MameName when they were captured
// already this session, else null; never runs the emulator.
const EmulatorTexts* CapturedEmulatorTexts();

// Forgets every capture (the tests replace the emulator's answers).
void ForgetEmulatorTexts();

}  // namespace quillet
