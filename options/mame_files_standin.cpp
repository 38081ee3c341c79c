#include "options/mame_files_standin.h"

#include <windows.h>

#include "base/handles.h"
#include "options/mame_ini_standin.h"
#include "settings/frontend_settings.h"

namespace quillet {

namespace {

std::vector<std::string> Split(const std::string& list) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= list.size()) {
        size_t stop = list.find(';', start);
        if (stop == std::string::npos) stop = list.size();
        std::string entry = list.substr(start, stop - start);
        while (!entry.empty() && entry.back() == ' ') entry.pop_back();
        while (!entry.empty() && entry.front() == ' ') entry.erase(0, 1);
        if (!entry.empty()) out.push_back(entry);
        start = stop + 1;
    }
    return out;
}

std::string Resolve(std::string base, const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path;
    if (!path.empty() && (path[0] == '\\' || path[0] == '/')) return path;
    if (!base.empty() && (base.back() == '\\' || base.back() == '/')) base.pop_back();
    return base + "\\" + path;
}

bool Exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, unsigned long* error, size_t limit) {
    bytes.clear();
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    auto fail = [&](DWORD code) {
        if (error) *error = code;
        bytes.clear();
        return false;
    };
    if (!file.valid()) return fail(GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return fail(GetLastError());
    if (static_cast<unsigned long long>(size.QuadPart) > limit) return fail(ERROR_FILE_TOO_LARGE);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr))
            return fail(GetLastError());
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    if (error) *error = ERROR_SUCCESS;
    return true;
}

std::vector<std::string> MameIniFolders() {
    const std::string base = Settings.MameDir;
    std::string list = kDefaultIniPath;
    for (const std::string& folder : Split(kDefaultIniPath)) {
        const std::string candidate = Resolve(base, folder) + "\\mame.ini";
        if (!Exists(candidate)) continue;
        std::string bytes;
        if (!ReadWholeFile(candidate, bytes)) break;
        size_t start = 0;
        while (start < bytes.size()) {
            size_t stop = bytes.find('\n', start);
            if (stop == std::string::npos) stop = bytes.size();
            auto parsed = ParseMameIniLine(std::string_view(bytes).substr(start, stop - start));
            if (parsed && parsed->name == "inipath") list = parsed->value;
            start = stop + 1;
        }
        break;
    }
    std::vector<std::string> folders;
    for (const std::string& folder : Split(list)) folders.push_back(Resolve(base, folder));
    return folders;
}

std::string FindMameIni(const char* fileName) {
    for (const std::string& folder : MameIniFolders()) {
        const std::string candidate = folder + "\\" + fileName;
        if (Exists(candidate)) return candidate;
    }
    return {};
}

}  // namespace quillet
