#include "options/mame_ini_standin.h"

namespace quillet {

std::optional<MameIniLine> ParseMameIniLine(std::string_view line) {
    size_t i = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (i < line.size() && blank(line[i])) ++i;
    if (i == line.size() || line[i] == '#') return std::nullopt;
    size_t start = i;
    while (i < line.size() && !blank(line[i])) ++i;
    MameIniLine out{line.substr(start, i - start), {}};
    while (i < line.size() && blank(line[i])) ++i;
    bool quoted = false;
    std::string value;
    for (; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (c == '#' && !quoted) break;
        value += c;
    }
    while (!value.empty() && blank(value.back())) value.pop_back();
    out.value = std::move(value);
    return out;
}

}  // namespace quillet
