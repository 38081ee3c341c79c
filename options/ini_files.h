// Reading an emulator ini file for editing, and replacing it safely. Both
// editors (the era's and today's) go through these.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quillet {

enum class IniRead : uint8_t {
    Read,     // `bytes` holds the file
    Missing,  // no such file or folder: a new file
    Failed,   // it exists but cannot be read; the system's text was shown
};

// Reads the whole file, sharing it with other programs (the emulator, a
// virus scanner, a sync client may hold it open).
IniRead ReadIniForEditing(HWND owner, const std::string& path, std::string& bytes);

// The replacement step, ReplaceFileA unless a test injects a part-way
// failure.
using ReplaceFileFunction = BOOL(WINAPI*)(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags,
                                          LPVOID exclude, LPVOID reserved);
extern ReplaceFileFunction IniReplaceFile;

// Replaces `path` with `bytes`: a temporary file beside it takes the text,
// then replaces the old file in one step. The old file stays as
// "<path>.bak"; the first time the program writes a file that was there,
// it is also kept as "<path>.orig", which is never written again. A
// read-only file is never replaced. A replacement that fails part-way still
// leaves the new or the old text at `path`. Failures are reported to the
// user; returns false after one.
bool WriteIniFile(HWND owner, const char* path, std::string_view bytes);

// The system's text for `error` in a box owned by `owner`.
void ReportSystemError(HWND owner, DWORD error);

}  // namespace quillet
