// Finding and reading MAME's own ini files the way MAME finds them: along
// its `inipath`, relative to the emulator's folder (Settings.MameDir).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quillet {

// The whole file, opened with read, write and delete sharing so that another
// program holding it open (a virus scanner, a sync client) does not stop the
// read, and the read does not stop it. False, with the system's error code in
// *error (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_SHARING_VIOLATION,
// ERROR_ACCESS_DENIED, ...), when the file cannot be read whole; a file larger
// than `limit` fails with ERROR_FILE_TOO_LARGE.
bool ReadWholeFile(const std::string& path, std::string& bytes, unsigned long* error = nullptr,
                   size_t limit = size_t{64} << 20);

// The folders MAME searches for its ini files, absolute: the `inipath` of the
// first mame.ini found along the default path below MAME's folder, else the
// default path itself.
std::vector<std::string> MameIniFolders();

// The full path of the first `fileName` ("mame.ini", "ui.ini", "pacman.ini")
// found along MameIniFolders(), or "" when there is none.
std::string FindMameIni(const char* fileName);

// The absolute folders that `option` of ini file `iniName` names
// ("snapshot_directory" of "mame.ini", "historypath" of "ui.ini"): the value
// in the first such file along MameIniFolders(), else `fallback`, split at
// ';' and resolved against MAME's folder.
std::vector<std::string> MameOptionFolders(const char* iniName, const char* option, const char* fallback);

}  // namespace quillet
