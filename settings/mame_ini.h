// MAME's ini files as MAME itself reads them. Several parts of Quillet read
// single options from MAME's own files (the option editor, the picture
// folders, the history path); they all go through these rules so that
// Quillet never disagrees with the emulator about what a file says.
// Pure text work; settings/mame_files.h finds the files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Where MAME looks for mame.ini and the other ini files unless told
// otherwise, relative to its own folder.
inline constexpr const char kDefaultIniPath[] = ".;ini;ini/presets";

// One option line: its name (a view into the line) and its value with
// MAME's quotes and comment removed.
struct MameIniLine {
    std::string_view name;
    std::string value;
};

// One line as MAME reads it: blank lines and lines whose first non-blank
// character is '#' are comments (nullopt); otherwise the name runs to the
// first blank and the rest is the value, cut at a '#' outside double quotes,
// trimmed, and unquoted when it starts and ends with '"'. A name alone has an
// empty value (MAME reads the line's own line feed as the separator). A line
// may still hold its "\r" or "\n": both are blanks here.
std::optional<MameIniLine> ParseMameIniLine(std::string_view line);

// The value of the last line naming `name` in a whole file's text (a UTF-8
// byte-order mark skipped, LF or CRLF line ends), or nullopt when no line
// names it. Later lines win, as they do in MAME.
std::optional<std::string> MameIniValue(std::string_view text, std::string_view name);

// A ';'-separated list: blanks around each entry and empty entries dropped.
std::vector<std::string> SplitFolderList(std::string_view list);

// Whether MAME would take `path` as it stands: a drive (X:\ or X:/), a UNC
// name, or a path rooted at '\' or '/'.
bool IsAbsoluteMamePath(std::string_view path);

// `path` as it stands when absolute, else `base` and `path` joined with one
// backslash. An empty base leaves a relative path as it is.
std::string ResolveMamePath(std::string_view base, std::string_view path);

}  // namespace quillet
