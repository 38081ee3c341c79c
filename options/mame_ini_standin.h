// Stand-in for settings/mame_ini.h until it reaches this branch; same
// signatures. Removed once the shared module is merged.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {
inline constexpr const char kDefaultIniPath[] = ".;ini;ini/presets";
struct MameIniLine {
    std::string_view name;
    std::string value;
};
std::optional<MameIniLine> ParseMameIniLine(std::string_view line);
}  // namespace quillet
