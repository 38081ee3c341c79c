#include "options/today_options.h"

#include <charconv>
#include <cstdio>

#include "options/today_ini.h"
#include "resources/resource_ids.h"
#include "settings/mame_ini.h"

namespace quillet {

namespace {

using K = TodayKind;
using P = TodayPageId;

std::vector<TodayOptionInfo> BuildTable() {
    return {
        {"rompath", K::FolderList, P::Paths, IDS_TODAY_ROMPATH},
        {"samplepath", K::FolderList, P::Paths, IDS_TODAY_SAMPLEPATH},
        {"artpath", K::FolderList, P::Paths, IDS_TODAY_ARTPATH},
        {"ctrlrpath", K::FolderList, P::Paths, IDS_TODAY_CTRLRPATH},
        {"inipath", K::FolderList, P::Paths, IDS_TODAY_INIPATH},
        {"cheatpath", K::FolderList, P::Paths, IDS_TODAY_CHEATPATH},
        {"cfg_directory", K::Folder, P::Paths, IDS_TODAY_CFG_DIRECTORY},
        {"nvram_directory", K::Folder, P::Paths, IDS_TODAY_NVRAM_DIRECTORY},
        {"snapshot_directory", K::Folder, P::Paths, IDS_TODAY_SNAPSHOT_DIRECTORY},
        {"state_directory", K::Folder, P::Paths, IDS_TODAY_STATE_DIRECTORY},

        {"video", K::Choice, P::Video, IDS_TODAY_VIDEO, 0, 0, "auto|d3d|gdi|bgfx|opengl|none"},
        {"prescale", K::Integer, P::Video, IDS_TODAY_PRESCALE, 1, 20},
        {"window", K::Switch, P::Video, IDS_TODAY_WINDOW},
        {"maximize", K::Switch, P::Video, IDS_TODAY_MAXIMIZE},
        {"keepaspect", K::Switch, P::Video, IDS_TODAY_KEEPASPECT},
        {"waitvsync", K::Switch, P::Video, IDS_TODAY_WAITVSYNC},
        {"syncrefresh", K::Switch, P::Video, IDS_TODAY_SYNCREFRESH},
        {"filter", K::Switch, P::Video, IDS_TODAY_FILTER},

        {"sound", K::Choice, P::Sound, IDS_TODAY_SOUND, 0, 0, "auto|dsound|xaudio2|portaudio|none"},
        {"samplerate", K::Integer, P::Sound, IDS_TODAY_SAMPLERATE, 1000, 1000000},
        {"volume", K::Integer, P::Sound, IDS_TODAY_VOLUME, -32, 0},
        {"audio_latency", K::Decimal, P::Sound, IDS_TODAY_AUDIO_LATENCY, 0, 5},

        {"ctrlr", K::Text, P::Input, IDS_TODAY_CTRLR},
        {"joystick_deadzone", K::Decimal, P::Input, IDS_TODAY_JOYSTICK_DEADZONE, 0, 1},
        {"joystick_saturation", K::Decimal, P::Input, IDS_TODAY_JOYSTICK_SATURATION, 0, 1},
        {"joystick", K::Switch, P::Input, IDS_TODAY_JOYSTICK},
        {"mouse", K::Switch, P::Input, IDS_TODAY_MOUSE},
        {"lightgun", K::Switch, P::Input, IDS_TODAY_LIGHTGUN},

        {"frameskip", K::Integer, P::Performance, IDS_TODAY_FRAMESKIP, 0, 10},
        {"speed", K::Decimal, P::Performance, IDS_TODAY_SPEED, 0.01, 100},
        {"autoframeskip", K::Switch, P::Performance, IDS_TODAY_AUTOFRAMESKIP},
        {"throttle", K::Switch, P::Performance, IDS_TODAY_THROTTLE},
        {"rotate", K::Switch, P::Performance, IDS_TODAY_ROTATE},
        {"ror", K::Switch, P::Performance, IDS_TODAY_ROR},
        {"rol", K::Switch, P::Performance, IDS_TODAY_ROL},
        {"autoror", K::Switch, P::Performance, IDS_TODAY_AUTOROR},
        {"autorol", K::Switch, P::Performance, IDS_TODAY_AUTOROL},
        {"flipx", K::Switch, P::Performance, IDS_TODAY_FLIPX},
        {"flipy", K::Switch, P::Performance, IDS_TODAY_FLIPY},
        {"cheat", K::Switch, P::Performance, IDS_TODAY_CHEAT},
        {"skip_gameinfo", K::Switch, P::Performance, IDS_TODAY_SKIP_GAMEINFO},

        {"brightness", K::Decimal, P::Screen, IDS_TODAY_BRIGHTNESS, 0.1, 2},
        {"contrast", K::Decimal, P::Screen, IDS_TODAY_CONTRAST, 0.1, 2},
        {"gamma", K::Decimal, P::Screen, IDS_TODAY_GAMMA, 0.1, 3},
        {"effect", K::Text, P::Screen, IDS_TODAY_EFFECT},
        {"artwork_crop", K::Switch, P::Screen, IDS_TODAY_ARTWORK_CROP},
    };
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

std::optional<double> ReadNumber(std::string_view text, bool whole) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    const char* end = text.data() + text.size();
    if (whole) {
        long long value = 0;
        auto [stop, error] = std::from_chars(text.data(), end, value);
        if (error != std::errc() || stop != end) return std::nullopt;
        return static_cast<double>(value);
    }
    double value = 0;
    auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    std::string out = text;
    for (char& c : out)
        if (c == ',') c = '.';  // a C library that follows the locale
    return out;
}

}  // namespace

const std::vector<TodayOptionInfo>& TodayOptionTable() {
    static const std::vector<TodayOptionInfo> table = BuildTable();
    return table;
}

const TodayOptionInfo* FindTodayOption(std::string_view name) {
    for (const TodayOptionInfo& info : TodayOptionTable())
        if (name == info.name) return &info;
    return nullptr;
}

std::vector<TodayOption> ReadTodayOptions(std::string_view config, std::string_view usage) {
    std::vector<TodayOption> options;
    const TodayIni ini = ReadTodayIni(config);
    std::string section;
    for (size_t i = 0; i < ini.lines.size(); ++i) {
        const std::string_view text = Trim(ini.lines[i].text);
        if (i > 0 && i + 1 < ini.lines.size() && text.size() > 2 && text.substr(0, 2) == "# " &&
            Trim(ini.lines[i - 1].text) == "#" && Trim(ini.lines[i + 1].text) == "#") {
            section = std::string(Trim(text.substr(2)));
            continue;
        }
        auto parsed = ParseMameIniLine(ini.lines[i].text);
        if (!parsed) continue;
        options.push_back({std::string(parsed->name), section, std::move(parsed->value), {}});
    }
    // -showusage: "-name   description", the name column 20 wide; a longer
    // name runs straight into its description.
    const TodayIni lines = ReadTodayIni(usage);
    for (const TodayIni::Line& line : lines.lines) {
        const std::string_view text = line.text;
        if (text.size() < 2 || text[0] != '-') continue;
        const std::string_view rest = text.substr(1);
        TodayOption* best = nullptr;
        for (TodayOption& option : options) {
            if (rest.substr(0, option.name.size()) != option.name) continue;
            const bool ends = rest.size() == option.name.size() || rest[option.name.size()] == ' ' ||
                              rest[option.name.size()] == '\t';
            if ((ends || option.name.size() >= 19) && (!best || option.name.size() > best->name.size())) best = &option;
        }
        if (best) best->description = std::string(Trim(rest.substr(best->name.size())));
    }
    return options;
}

bool FitsKind(const TodayOptionInfo& info, std::string_view value) {
    switch (info.kind) {
    case TodayKind::Switch: {
        const std::string_view v = Trim(value);
        return v == "0" || v == "1";
    }
    case TodayKind::Integer: return ReadNumber(value, true).has_value();
    case TodayKind::Decimal: return ReadNumber(value, false).has_value();
    default: return true;
    }
}

std::string NormalisedValue(const TodayOptionInfo* info, std::string_view value) {
    std::string out(Trim(value));
    if (info && info->kind == TodayKind::Decimal && out.find(',') != std::string::npos && out.find('.') == std::string::npos)
        for (char& c : out)
            if (c == ',') c = '.';
    return out;
}

ValueProblem CheckTodayValue(const TodayOptionInfo* info, std::string_view value) {
    if (!IsWritableIniValue(value)) return ValueProblem::Unwritable;
    if (!info || (info->kind != TodayKind::Integer && info->kind != TodayKind::Decimal)) return ValueProblem::None;
    const auto number = ReadNumber(value, info->kind == TodayKind::Integer);
    if (!number || *number < info->low || *number > info->high) return ValueProblem::OutOfRange;
    return ValueProblem::None;
}

std::string RangeText(const TodayOptionInfo& info) { return Number(info.low) + " - " + Number(info.high); }

}  // namespace quillet
