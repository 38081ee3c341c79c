#include "settings/mame_ini.h"

namespace quillet {
namespace {

// MAME tests with isspace() in the C locale.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

std::optional<MameIniLine> ParseMameIniLine(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size() || line[i] == '#') return std::nullopt;
    size_t nameEnd = i;
    while (nameEnd < line.size() && !IsBlank(line[nameEnd])) ++nameEnd;

    std::string_view data = line.substr(nameEnd);
    bool inQuotes = false;
    for (size_t j = 0; j < data.size(); ++j) {
        if (data[j] == '"') inQuotes = !inQuotes;
        if (data[j] == '#' && !inQuotes) {
            data = data.substr(0, j);
            break;
        }
    }
    data = Trim(data);
    if (data.size() >= 2 && data.front() == '"' && data.back() == '"') data = data.substr(1, data.size() - 2);
    return MameIniLine{line.substr(i, nameEnd - i), std::string(data)};
}

std::optional<std::string> MameIniValue(std::string_view text, std::string_view name) {
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
    std::optional<std::string> found;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (auto parsed = ParseMameIniLine(line); parsed && parsed->name == name) found = std::move(parsed->value);
    }
    return found;
}

std::vector<std::string> SplitFolderList(std::string_view list) {
    std::vector<std::string> folders;
    while (true) {
        const size_t end = list.find(';');
        const std::string_view entry = Trim(list.substr(0, end));
        if (!entry.empty()) folders.emplace_back(entry);
        if (end == std::string_view::npos) break;
        list.remove_prefix(end + 1);
    }
    return folders;
}

bool IsAbsoluteMamePath(std::string_view path) {
    if (!path.empty() && (path[0] == '\\' || path[0] == '/')) return true;
    const bool letter = path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z');
    return letter && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

std::string ResolveMamePath(std::string_view base, std::string_view path) {
    if (IsAbsoluteMamePath(path) || base.empty()) return std::string(path);
    std::string joined(base);
    if (joined.back() != '\\' && joined.back() != '/') joined += '\\';
    if (path == ".") {
        joined.pop_back();
        return joined;
    }
    joined += path;
    return joined;
}

}  // namespace quillet
