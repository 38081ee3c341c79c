#include "options/today_ini.h"

#include <algorithm>
#include <cstring>

#include "options/emulator_options.h"
#include "settings/mame_ini.h"

namespace quillet {

namespace {

// Names the real 0.84 and 0.106 files hold beyond the era's own table.
constexpr const char* kOtherEraNames[] = {
    "adstick_device", "autosave",       "clones",         "comment_directory", "d3deffectrotate",
    "dial_device",    "digital",        "dual_lightgun",  "full_screen_gamma", "inipath",
    "led_mode",       "lightgun_device", "offscreen_reload", "paddle_device",  "pedal_device",
    "priority",       "trackball_device", "validate",
};

bool IsEraName(std::string_view name) {
    for (const OptionField& field : kOptionFields)
        if (name == field.name) return true;
    for (const char* other : kOtherEraNames)
        if (name == other) return true;
    return false;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    return text;
}

bool IsBareHash(std::string_view line) { return Trimmed(line) == "#"; }

// "# NAME" between two bare "#" lines: NAME, else empty.
std::string_view SectionHeader(const std::vector<TodayIni::Line>& lines, size_t i) {
    if (i == 0 || i + 1 >= lines.size()) return {};
    if (!IsBareHash(lines[i - 1].text) || !IsBareHash(lines[i + 1].text)) return {};
    std::string_view text = Trimmed(lines[i].text);
    if (text.size() < 3 || text[0] != '#' || text[1] != ' ') return {};
    return Trimmed(text.substr(2));
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Splits `bytes` into lines at each line feed, as MAME reads them; a
// carriage return before the line feed belongs to the line's end.
std::vector<TodayIni::Line> SplitLines(std::string_view bytes) {
    std::vector<TodayIni::Line> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t feed = bytes.find('\n', start);
        if (feed == std::string_view::npos) {
            lines.push_back({std::string(bytes.substr(start)), ""});
            break;
        }
        const size_t stop = feed > start && bytes[feed - 1] == '\r' ? feed - 1 : feed;
        lines.push_back({std::string(bytes.substr(start, stop - start)), std::string(bytes.substr(stop, feed + 1 - stop))});
        start = feed + 1;
    }
    return lines;
}

std::optional<std::string_view> LineName(const std::string& text) {
    auto parsed = ParseMameIniLine(text);
    if (!parsed) return std::nullopt;
    return parsed->name;
}

}  // namespace

IniLayout ClassifyIniText(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    const std::vector<TodayIni::Line> lines = SplitLines(text);
    bool anyOption = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view header = SectionHeader(lines, i);
        if (header.size() > 13 && header.substr(0, 5) == "CORE " &&
            header.substr(header.size() - 8) == " OPTIONS")
            return IniLayout::Today;
        auto parsed = ParseMameIniLine(lines[i].text);
        if (!parsed) continue;
        anyOption = true;
        if (!IsEraName(parsed->name)) return IniLayout::Today;
    }
    return anyOption ? IniLayout::Era : IniLayout::Empty;
}

TodayIni ReadTodayIni(std::string_view bytes) {
    TodayIni ini;
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        ini.byteOrderMark = true;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    ini.lines = SplitLines(bytes);
    if (!ini.lines.empty() && !ini.lines.front().end.empty()) ini.newLineEnd = ini.lines.front().end;
    return ini;
}

std::string WriteTodayIni(const TodayIni& ini) {
    size_t size = ini.byteOrderMark ? kByteOrderMark.size() : 0;
    for (const TodayIni::Line& line : ini.lines) size += line.text.size() + line.end.size();
    std::string out;
    out.reserve(size);
    if (ini.byteOrderMark) out += kByteOrderMark;
    for (const TodayIni::Line& line : ini.lines) out.append(line.text).append(line.end);
    return out;
}

std::optional<std::string> TodayIniValue(const TodayIni& ini, std::string_view name) {
    for (size_t i = ini.lines.size(); i-- > 0;) {
        auto parsed = ParseMameIniLine(ini.lines[i].text);
        if (parsed && parsed->name == name) return std::move(parsed->value);
    }
    return std::nullopt;
}

std::string FormatTodayIniLine(std::string_view name, std::string_view value) {
    std::string line(name);
    if (line.size() < 25) line.resize(25, ' ');
    line += ' ';
    // MAME's own rule (a blank or a '#'), and the other characters its
    // reader takes for blanks.
    const bool quote = value.find_first_of(" \t\v\f#") != std::string_view::npos;
    if (quote) line += '"';
    line += value;
    if (quote) line += '"';
    return line;
}

bool IsWritableIniValue(std::string_view value) { return value.find_first_of("\r\n\"") == std::string_view::npos; }

bool SetTodayIniValue(TodayIni& ini, std::string_view name, std::string_view value, std::string_view section) {
    for (size_t i = ini.lines.size(); i-- > 0;) {
        auto parsed = ParseMameIniLine(ini.lines[i].text);
        if (!parsed || parsed->name != name) continue;
        if (parsed->value == value) return false;
        ini.lines[i].text = FormatTodayIniLine(name, value);
        return true;
    }
    // Where the line goes: after the section's last option line.
    size_t at = ini.lines.size();
    for (size_t i = 0; i < ini.lines.size() && !section.empty(); ++i) {
        if (SectionHeader(ini.lines, i) != section) continue;
        at = i + 2;  // under the header's closing "#"
        for (size_t j = i + 2; j < ini.lines.size(); ++j) {
            if (!SectionHeader(ini.lines, j).empty()) break;
            if (ParseMameIniLine(ini.lines[j].text)) at = j + 1;
        }
        break;
    }
    // A last line without its end gets the file's own before anything follows it.
    if (at == ini.lines.size() && !ini.lines.empty() && ini.lines.back().end.empty())
        ini.lines.back().end = ini.newLineEnd;
    ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at),
                     TodayIni::Line{FormatTodayIniLine(name, value), ini.newLineEnd});
    return true;
}

bool RemoveTodayIniValue(TodayIni& ini, std::string_view name) {
    const size_t before = ini.lines.size();
    std::erase_if(ini.lines, [&](const TodayIni::Line& line) {
        auto parsed = LineName(line.text);
        return parsed && *parsed == name;
    });
    return ini.lines.size() != before;
}

}  // namespace quillet
