// What the screenshot programs share. Each is shoot_<subsystem>.exe, run by
// tools/screens.d/<subsystem>.sh with one command line:
//
//   shoot_<subsystem> LANGUAGE_DLL OUTPUT_FOLDER INPUT
//
// INPUT is what the pictures show: the catalogue (filters), the ini file
// (options), the emulator's folder with its history.dat (preferences) or
// with its pictures and icons (pictures). A program writes one BMP per
// picture into OUTPUT_FOLDER, named as the README's PNG file, saves nothing
// and exits non-zero when a picture is missing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace quillet::screens {

struct ShotRun {
    std::string output;  // the folder the BMP files go to
    std::string input;
};

// The start common to every screenshot program: the program's globals, the
// common controls, the default settings, the language module LANGUAGE_DLL
// with its start-up texts, and message boxes printed to stderr instead of
// shown. False, after saying why, on a wrong command line or module.
bool StartShots(int argc, char** argv, const char* program, ShotRun& run);

// Opens a sheet at each of its `count` pages in turn (`open(page)` returns
// once the sheet has closed) and writes it, shown and painted, frame
// included, as OUTPUT\<prefix>-<names[page]>.bmp, then cancels it.
// `prepare`, when given, is called on the sheet before it is painted (a row
// chosen, say). False when a picture was not written.
bool ShootSheetPages(const ShotRun& run, const char* prefix, const char* const* names, UINT count,
                     const std::function<void(UINT page)>& open,
                     const std::function<void(HWND sheet)>& prepare = {});

// The visible top-level window of this thread that holds a tab control: the
// property sheet a modal loop is showing. Null when there is none yet.
HWND FindThreadSheet();

// Dispatches this thread's messages for `ms` milliseconds, so a window
// moved or changed has painted before it is shot.
void PumpMessagesFor(DWORD ms);

// Writes the window's screen rectangle to `path`. False when it could not.
bool SaveWindowBitmap(HWND window, const std::string& path);

}  // namespace quillet::screens
