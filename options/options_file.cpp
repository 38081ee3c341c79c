// Reading an emulator ini file into EmuOptions and replacing it with the
// writer's text.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "base/handles.h"
#include "base/report.h"
#include "options/emulator_options.h"
#include "options/options.h"

namespace quillet {

namespace {

// The system's text for `error`, as ReportMessage shows the last error.
void ReportError(HWND owner, DWORD error) {
    SetLastError(error);
    ReportMessage(owner, MessageSourceSystem, 0);
}

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

// Writes `length` bytes to a new temporary file beside `path`. Returns its
// name in `temp`, or false after reporting.
bool WriteTemporaryFile(HWND owner, const char* path, const char* text, DWORD length, char (&temp)[MAX_PATH]) {
    char folder[MAX_PATH];
    FolderOf(path, folder, sizeof folder);
    if (!GetTempFileNameA(folder, "qlt", 0, temp)) {
        ReportError(owner, GetLastError());
        return false;
    }
    UniqueHandle file(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        DeleteFileA(temp);
        ReportError(owner, error);
        return false;
    }
    DWORD written = 0;
    DWORD error = ERROR_SUCCESS;
    if (!WriteFile(file.get(), text, length, &written, nullptr))
        error = GetLastError();
    else if (written != length)
        error = ERROR_HANDLE_DISK_FULL;  // a short write leaves no error code of its own
    else if (!FlushFileBuffers(file.get()))
        error = GetLastError();
    file.reset();
    if (error != ERROR_SUCCESS) {
        DeleteFileA(temp);
        ReportError(owner, error);
        return false;
    }
    return true;
}

}  // namespace

int LoadEmulatorOptions(HWND owner, const char* path) {
    ResetEmulatorOptions(EmuOptions);
    UniqueHandle file(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return 1;  // no file yet, or another program holds it
    LARGE_INTEGER size{};
    GetFileSizeEx(file.get(), &size);
    UniqueHandle mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping.valid()) {
        ReportMessage(owner, MessageSourceSystem, 0);
        return 1;
    }
    const MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view.valid()) {
        ReportMessage(owner, MessageSourceSystem, 0);
        return 1;
    }
    ParseEmulatorOptions(view.data(), view.data() + size.QuadPart, EmuOptions);
    return 1;
}

bool SaveEmulatorOptions(HWND owner, const char* path) {
    // The emulator's and the user's file: never replace one marked read-only.
    // Replacing moves and writes succeed on such files under Wine and for an
    // administrator, so the attribute is checked here.
    const DWORD attributes = GetFileAttributesA(path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ReportError(owner, ERROR_ACCESS_DENIED);
        return false;
    }
    char backup[MAX_PATH];
    if (std::snprintf(backup, sizeof backup, "%s.bak", path) >= static_cast<int>(sizeof backup)) {
        ReportError(owner, ERROR_FILENAME_EXCED_RANGE);
        return false;
    }

    void* block = VirtualAlloc(nullptr, kOptionsTextCapacity, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (block == nullptr) {
        ReportMessage(owner, MessageSourceSystem, 0);
        return false;
    }
    const size_t length = FormatEmulatorOptions(EmuOptions, static_cast<char*>(block), kOptionsTextCapacity);
    char temp[MAX_PATH];
    const bool written = WriteTemporaryFile(owner, path, static_cast<const char*>(block), static_cast<DWORD>(length), temp);
    VirtualFree(block, 0, MEM_RELEASE);
    if (!written) return false;

    // One step from the old file to the new one; the old one stays as .bak,
    // since the writer keeps no comment and no option it does not know.
    const BOOL replaced = exists ? ReplaceFileA(path, temp, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                                 : MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced) {
        const DWORD error = GetLastError();
        DeleteFileA(temp);
        ReportError(owner, error);
        return false;
    }
    return true;
}

}  // namespace quillet
