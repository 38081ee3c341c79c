#include "documents/history_lookup.h"

#include <cstring>

#include "base/globals.h"
#include "base/handles.h"
#include "base/progress.h"
#include "base/report.h"
#include "db/history_index.h"
#include "documents/document_scan.h"
#include "documents/documents.h"
#include "documents/history_xml.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "settings/mame_files.h"

namespace quillet {

namespace {

std::string WithoutTrailingSlash(std::string folder) {
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

// The file's key as the index stores it; false when it cannot be opened.
bool FileKey(const std::string& path, HistoryFileKey& key) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    key.path = path;
    key.size = static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    key.time = static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                    data.ftLastWriteTime.dwLowDateTime);
    return true;
}

// A read-only view of a whole file.
struct MappedFile {
    UniqueHandle file;
    UniqueHandle mapping;
    const char* data = nullptr;
    size_t size = 0;

    MappedFile() = default;
    ~MappedFile() {
        if (data) UnmapViewOfFile(data);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool Open(const std::string& path) {
        file.reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file.valid()) return false;
        LARGE_INTEGER length{};
        if (!GetFileSizeEx(file.get(), &length) || length.QuadPart <= 0 || length.QuadPart > 0x7FFFFFFF) return false;
        size = static_cast<size_t>(length.QuadPart);
        mapping.reset(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
        if (!mapping.valid()) return false;
        data = static_cast<const char*>(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
        return data != nullptr;
    }
    const char* begin() const { return data; }
    const char* end() const { return data + size; }
};

// The index build, handed to the worker.
struct IndexJob {
    const MappedFile* file;
    HistoryFileKey key;
    bool stored = false;
    bool damaged = false;
};
IndexJob* indexJob;

bool AddToIndex(void* context, std::string_view name, size_t offset, size_t length) {
    auto& writer = *static_cast<HistoryIndexWriter*>(context);
    char text[48];
    if (name.size() >= sizeof text) return true;  // no system has such a name
    std::memcpy(text, name.data(), name.size());
    text[name.size()] = '\0';
    writer.Add(text, static_cast<uint32_t>(offset), static_cast<uint32_t>(length));
    return writer.ok();
}

DWORD WINAPI IndexHistoryTask(LPVOID parameter) {
    const HWND dialog = static_cast<HWND>(parameter);
    IndexJob& job = *indexJob;
    SendProgressTask(dialog, IDS_TASK_HISTORY_INDEX);
    SendProgressStep(dialog, IDS_STEP_PROCESSING);
    HistoryIndexWriter writer;
    const HistoryXmlScan scan = ScanHistoryXml(job.file->begin(), job.file->end(), AddToIndex, &writer);
    SendProgressCount(dialog, scan.entries);
    job.damaged = !scan.complete;
    job.stored = writer.ok() && writer.Finish(job.key, job.damaged);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    return 0;
}

// Without a usable index (a catalogue that cannot be written) the file is
// searched directly.
struct DirectSearch {
    const char* name;
    size_t offset = 0, length = 0;
    bool found = false;
};

bool MatchName(void* context, std::string_view name, size_t offset, size_t length) {
    auto& search = *static_cast<DirectSearch*>(context);
    if (name.size() != std::strlen(search.name) || lstrcmpiA(std::string(name).c_str(), search.name) != 0) return true;
    search = {search.name, offset, length, true};
    return false;
}

void ReportDamaged(HWND owner, const std::string& path) {
    char text[1024];
    DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(path.c_str())};
    DWORD length = 0;
    if (LanguageModule)
        length = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, LanguageModule,
                                MSG_HISTORY_DAMAGED, 0, text, sizeof text, reinterpret_cast<va_list*>(inserts));
    if (length == 0) {
        ReportMessage(owner, MessageSourceModule, MSG_HISTORY_DAMAGED);
        return;
    }
    ShowMessageBox(owner, text, kWindowTitle, MB_OK | MB_ICONWARNING);
}

std::wstring Decoded(const char* begin, size_t length) {
    const std::string text = WithCrLfLineEnds(begin, begin + length);
    const std::string decoded = DecodeHistoryText(text);
    if (decoded.empty()) return {};
    const int wide = MultiByteToWideChar(CP_UTF8, 0, decoded.data(), static_cast<int>(decoded.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(wide > 0 ? wide : 0), L'\0');
    if (wide > 0) MultiByteToWideChar(CP_UTF8, 0, decoded.data(), static_cast<int>(decoded.size()), out.data(), wide);
    return out;
}

}  // namespace

std::vector<std::string> DocumentFolders() {
    std::vector<std::string> folders;
    auto add = [&folders](std::string folder) {
        folder = WithoutTrailingSlash(std::move(folder));
        if (folder.empty()) return;
        for (const std::string& f : folders)
            if (lstrcmpiA(f.c_str(), folder.c_str()) == 0) return;
        folders.push_back(std::move(folder));
    };
    add(Settings.MameDir);
    for (std::string& folder : MameOptionFolders("ui.ini", "historypath", "history;dats;.")) add(std::move(folder));
    return folders;
}

std::string FindDocumentFile(const char* fileName) {
    for (const std::string& folder : DocumentFolders()) {
        const std::string path = folder + "\\" + fileName;
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return path;
    }
    return {};
}

int LoadHistoryXmlText(HWND owner, const std::string& path, const char* name, std::wstring& text) {
    MappedFile file;
    HistoryFileKey key;
    if (!FileKey(path, key) || !file.Open(path)) {
        ReportMessage(owner, MessageSourceModule, MSG_HISTORY_OPEN);
        return kDocumentReported;
    }
    key.version = HistoryXmlVersion(file.begin(), file.end());

    HistoryFileKey stored;
    bool storedDamaged = false;
    const bool indexed = ReadHistoryKey(stored, storedDamaged);
    bool useIndex = indexed && stored == key;
    if (!useIndex) {
        IndexJob job{&file, key};
        indexJob = &job;
        RunBackgroundTask(owner, IndexHistoryTask);
        indexJob = nullptr;
        useIndex = job.stored;
        // One box per version of the file: a damaged copy of a version
        // already reported says nothing more.
        const bool reported = indexed && storedDamaged && stored.version == key.version;
        if (job.damaged && !reported) ReportDamaged(owner, path);
    }

    uint32_t offset = 0, length = 0;
    if (useIndex) {
        if (!FindHistoryEntry(name, offset, length)) return kDocumentNoEntry;
    } else {
        DirectSearch search{name};
        ScanHistoryXml(file.begin(), file.end(), MatchName, &search);
        if (!search.found) return kDocumentNoEntry;
        offset = static_cast<uint32_t>(search.offset);
        length = static_cast<uint32_t>(search.length);
    }
    if (static_cast<size_t>(offset) + length > file.size) return kDocumentNoEntry;
    text = Decoded(file.begin() + offset, length);
    return kDocumentFound;
}

}  // namespace quillet
