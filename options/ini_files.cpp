#include "options/ini_files.h"

#include <cstdio>
#include <cstring>

#include "base/handles.h"
#include "base/report.h"
#include "settings/mame_files.h"

namespace quillet {

ReplaceFileFunction IniReplaceFile = ReplaceFileA;

namespace {

// The folder part of `path` ("." when it has none), for the temporary file.
// A root keeps its backslash: "C:\\x.ini" gives "C:\\".
void FolderOf(const char* path, char* folder, size_t capacity) {
    const char* slash = std::strrchr(path, '\\');
    if (slash == nullptr) slash = std::strrchr(path, '/');
    if (slash == nullptr) {
        std::snprintf(folder, capacity, ".");
        return;
    }
    size_t length = static_cast<size_t>(slash - path);
    if (length == 0 || (length == 2 && path[1] == ':')) ++length;
    std::snprintf(folder, capacity, "%.*s", static_cast<int>(length), path);
}

// Writes `bytes` to a new temporary file beside `path`. Returns its name in
// `temp`, or false after reporting.
bool WriteTemporaryFile(HWND owner, const char* path, std::string_view bytes, char (&temp)[MAX_PATH]) {
    char folder[MAX_PATH];
    FolderOf(path, folder, sizeof folder);
    if (!GetTempFileNameA(folder, "qlt", 0, temp)) {
        ReportSystemError(owner, GetLastError());
        return false;
    }
    UniqueHandle file(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        DeleteFileA(temp);
        ReportSystemError(owner, error);
        return false;
    }
    const DWORD length = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    DWORD error = ERROR_SUCCESS;
    if (length != 0 && !WriteFile(file.get(), bytes.data(), length, &written, nullptr))
        error = GetLastError();
    else if (written != length)
        error = ERROR_HANDLE_DISK_FULL;  // a short write leaves no error code of its own
    else if (!FlushFileBuffers(file.get()))
        error = GetLastError();
    file.reset();
    if (error != ERROR_SUCCESS) {
        DeleteFileA(temp);
        ReportSystemError(owner, error);
        return false;
    }
    return true;
}

bool FileThere(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

void ReportSystemError(HWND owner, DWORD error) {
    SetLastError(error);
    ReportMessage(owner, MessageSourceSystem, 0);
}

IniRead ReadIniForEditing(HWND owner, const std::string& path, std::string& bytes) {
    unsigned long error = ERROR_SUCCESS;
    if (ReadWholeFile(path, bytes, &error)) return IniRead::Read;
    bytes.clear();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return IniRead::Missing;
    ReportSystemError(owner, error);
    return IniRead::Failed;
}

bool WriteIniFile(HWND owner, const char* path, std::string_view bytes) {
    // The emulator's and the user's file: never replace one marked read-only.
    // Replacing moves and writes succeed on such files under Wine and for an
    // administrator, so the attribute is checked here.
    const DWORD attributes = GetFileAttributesA(path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ReportSystemError(owner, ERROR_ACCESS_DENIED);
        return false;
    }
    char backup[MAX_PATH], original[MAX_PATH];
    if (std::snprintf(backup, sizeof backup, "%s.bak", path) >= static_cast<int>(sizeof backup) ||
        std::snprintf(original, sizeof original, "%s.orig", path) >= static_cast<int>(sizeof original)) {
        ReportSystemError(owner, ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    // The file as it was before this program ever wrote it: .bak only
    // holds the version before the last save.
    if (exists && !FileThere(original) && !CopyFileA(path, original, TRUE)) {
        ReportSystemError(owner, GetLastError());
        return false;
    }
    char temp[MAX_PATH];
    if (!WriteTemporaryFile(owner, path, bytes, temp)) return false;

    const BOOL replaced = exists ? IniReplaceFile(path, temp, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                                 : MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (replaced) return true;
    const DWORD error = GetLastError();
    // Part-way (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2): the old file already
    // went to the backup name and the new one never took its place. Put
    // the new text there, else the old one back.
    if (exists && !FileThere(path)) {
        if (MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        CopyFileA(backup, path, FALSE);
    }
    DeleteFileA(temp);
    ReportSystemError(owner, error);
    return false;
}

}  // namespace quillet
