#include "settings/mame_files.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "base/handles.h"
#include "settings/frontend_settings.h"
#include "settings/mame_ini.h"

namespace quillet {
namespace {

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> ResolvedFolders(std::string_view list) {
    std::vector<std::string> folders = SplitFolderList(list);
    for (std::string& folder : folders) folder = ResolveMamePath(Settings.MameDir, folder);
    return folders;
}

std::string FirstAlong(const std::vector<std::string>& folders, const char* fileName) {
    for (const std::string& folder : folders) {
        std::string candidate = ResolveMamePath(folder, fileName);
        if (IsFile(candidate)) return candidate;
    }
    return {};
}

std::optional<std::string> OptionOfFile(const std::string& path, const char* option) {
    std::string text;
    if (path.empty() || !ReadWholeFile(path, text)) return std::nullopt;
    return MameIniValue(text, option);
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, unsigned long* error, size_t limit) {
    bytes.clear();
    auto fail = [error](DWORD code) {
        if (error) *error = code;
        return false;
    };
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return fail(GetLastError());
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) return fail(GetLastError());
    if (static_cast<unsigned long long>(size.QuadPart) > limit) return fail(ERROR_FILE_TOO_LARGE);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) {
            const DWORD code = GetLastError();
            bytes.clear();
            return fail(code);
        }
        if (got == 0) break;  // the file shrank while we read it: keep what is there
        done += got;
    }
    bytes.resize(done);
    if (error) *error = ERROR_SUCCESS;
    return true;
}

std::vector<std::string> MameIniFolders() {
    const std::vector<std::string> defaults = ResolvedFolders(kDefaultIniPath);
    if (auto inipath = OptionOfFile(FirstAlong(defaults, "mame.ini"), "inipath"); inipath && !inipath->empty())
        return ResolvedFolders(*inipath);
    return defaults;
}

std::string FindMameIni(const char* fileName) { return FirstAlong(MameIniFolders(), fileName); }

std::vector<std::string> MameOptionFolders(const char* iniName, const char* option, const char* fallback) {
    const std::optional<std::string> value = OptionOfFile(FindMameIni(iniName), option);
    return ResolvedFolders(value ? *value : std::string_view(fallback));
}

}  // namespace quillet
