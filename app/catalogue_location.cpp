#include "app/catalogue_location.h"

#include <shlobj.h>
#include <knownfolders.h>

#include <cwchar>
#include <string>

#include "app/catalogue_place.h"
#include "base/globals.h"
#include "base/report.h"
#include "db/catalogue_file.h"

namespace quillet {

namespace {

constexpr wchar_t kCatalogueName[] = L"gamelist.mdb";

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A portable catalogue must take SQLite's writes: the file itself, and the
// journal files SQLite makes beside it. The read-only attribute counts as
// "cannot write" even where the open would succeed (an administrator, or
// Wine run as root, ignores the folder's permissions).
bool CanWriteBeside(const std::wstring& folder, const std::wstring& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    WCHAR probe[MAX_PATH];
    if (!GetTempFileNameW(folder.c_str(), L"qlt", 0, probe)) return false;
    DeleteFileW(probe);
    return true;
}

// The path in the ANSI code page, which the ODBC calls take: as it is when
// every character has an ANSI form, else with the folder's short (8.3)
// name. False when neither fits.
bool AnsiCataloguePath(const std::wstring& folder, char* out, size_t capacity) {
    auto convert = [&](const std::wstring& path) {
        BOOL lossy = FALSE;
        const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, out,
                                               static_cast<int>(capacity), nullptr, &lossy);
        return length > 0 && !lossy;
    };
    if (convert(folder + L"\\" + kCatalogueName)) return true;
    WCHAR shortFolder[MAX_PATH];
    const DWORD length = GetShortPathNameW(folder.c_str(), shortFolder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    return convert(std::wstring(shortFolder) + L"\\" + kCatalogueName);
}

// Copies an older catalogue (with the write-ahead log SQLite may have left
// beside it) into place under a temporary name first, so an interrupted
// copy never leaves a half catalogue behind. The copy loses the read-only
// attribute the original may carry.
bool CopyCatalogue(const std::wstring& from, const std::wstring& to) {
    const std::wstring part = to + L".part";
    const std::wstring fromLog = from + L"-wal";
    const std::wstring toLog = to + L"-wal";
    if (!CopyFileW(from.c_str(), part.c_str(), FALSE)) return false;
    SetFileAttributesW(part.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (IsFile(fromLog)) {
        if (!CopyFileW(fromLog.c_str(), toLog.c_str(), FALSE)) {
            DeleteFileW(part.c_str());
            return false;
        }
        SetFileAttributesW(toLog.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    if (MoveFileExW(part.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    const DWORD error = GetLastError();
    DeleteFileW(part.c_str());
    DeleteFileW(toLog.c_str());
    SetLastError(error);
    return false;
}

void SetCatalogue(const std::wstring& folder) {
    const std::wstring file = folder + L"\\" + kCatalogueName;
    if (file.size() < MAX_PATH) std::wcscpy(CatalogueFile, file.c_str());
    else CatalogueFile[0] = L'\0';
    if (!AnsiCataloguePath(folder, DatabasePath, sizeof DatabasePath)) DatabasePath[0] = '\0';
}

std::wstring LocalAppDataFolder() {
    PWSTR folder = nullptr;
    std::wstring result;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder))) result = folder;
    CoTaskMemFree(folder);
    return result;
}

}  // namespace

void LocateCatalogueIn(const WCHAR* programDirectory, const WCHAR* localAppData) {
    const std::wstring programFolder = programDirectory;
    const std::wstring programCatalogue = programFolder + L"\\" + kCatalogueName;
    const std::wstring userFolder = std::wstring(localAppData) + L"\\Quillet";
    const std::wstring userCatalogue = userFolder + L"\\" + kCatalogueName;
    const std::wstring virtualCopy = VirtualStoreCatalogue(programFolder, localAppData);

    CatalogueFacts facts{};
    facts.programCatalogue = !programFolder.empty() && IsFile(programCatalogue);
    facts.programCatalogueWritable = facts.programCatalogue && CanWriteBeside(programFolder, programCatalogue);
    facts.userCatalogue = IsFile(userCatalogue);
    facts.virtualStoreCopy = !virtualCopy.empty() && IsFile(virtualCopy);
    const CatalogueChoice choice = ChooseCatalogue(facts);
    if (choice == CatalogueChoice::ProgramFolder) {
        SetCatalogue(programFolder);
        return;
    }
    // The folder first: its short name, which the ANSI path may need, exists
    // only once the folder does.
    if (choice != CatalogueChoice::UserFolder &&
        (localAppData[0] == L'\0' ||
         (!CreateDirectoryW(userFolder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS))) {
        SetCatalogue(userFolder);
        ReportMessage(nullptr, MessageSourceSystem, 0);
        return;
    }
    SetCatalogue(userFolder);
    if (choice == CatalogueChoice::UserFolder) return;
    bool made = false;
    switch (choice) {
    case CatalogueChoice::CopyVirtualStore: made = CopyCatalogue(virtualCopy, userCatalogue); break;
    case CatalogueChoice::CopyProgramFolder: made = CopyCatalogue(programCatalogue, userCatalogue); break;
    default: made = DatabasePath[0] != '\0' && CreateCatalogueFile(DatabasePath); break;
    }
    if (!made) ReportMessage(nullptr, MessageSourceSystem, 0);
}

void LocateCatalogue() { LocateCatalogueIn(ProgramDirectory, LocalAppDataFolder().c_str()); }

}  // namespace quillet
