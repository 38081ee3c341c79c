// Today's MAME ini files held as their lines, so that saving rewrites only
// the lines of options whose value changed and keeps every other byte:
// comments, blank lines, options this program does not know, their order,
// a UTF-8 byte-order mark, the file's own line ends. Also the test that
// tells today's layout from the era's, which decides the editor a file gets.
// Pure logic.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Empty: nothing but blanks, comments or nothing at all (no evidence).
// Era: only names the era's emulators wrote. Today: today's section layout
// (a "#" line, a "# CORE ... OPTIONS" line, a "#" line) or any option name
// the era's emulators never had.
enum class IniLayout : uint8_t { Empty, Era, Today };
IniLayout ClassifyIniText(std::string_view text);

struct TodayIni {
    struct Line {
        std::string text;  // without its line end
        std::string end;   // "\r\n", "\n" or "" (a last line without one)
    };
    bool byteOrderMark = false;
    std::string newLineEnd = "\r\n";  // the file's own: that of its first line
    std::vector<Line> lines;
};

TodayIni ReadTodayIni(std::string_view bytes);
std::string WriteTodayIni(const TodayIni& ini);

// The value of the last line naming `name` (MAME lets a later line win).
std::optional<std::string> TodayIniValue(const TodayIni& ini, std::string_view name);

// Gives `name` the value `value`. A file naming it has its last such line
// rewritten, unless that line reads as `value` already; otherwise a line is
// added after the last option line of the section headed "# <section>"
// (right under the header when it has none), at the end when the file has
// no such section. True when a line changed.
bool SetTodayIniValue(TodayIni& ini, std::string_view name, std::string_view value, std::string_view section);

// Removes every line naming `name`; true when one was there.
bool RemoveTodayIniValue(TodayIni& ini, std::string_view name);

// MAME's own form of an option line: "%-25s %s", the value in double quotes
// when it holds a blank or a '#' (or a vertical tab or form feed, which
// MAME's reader also takes for blanks).
std::string FormatTodayIniLine(std::string_view name, std::string_view value);

// Whether a value can stand on an option line and read back the same: no
// line break, no double quote (MAME has no escape for either).
bool IsWritableIniValue(std::string_view value);

}  // namespace quillet
