// Today's MAME options as the editor shows them: the list the emulator
// prints (-showconfig for names, sections and defaults, -showusage for the
// descriptions), and a built-in table of the options people change most,
// with their kind, range and page. Pure logic.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

enum class TodayKind : uint8_t {
    Switch,      // 0 or 1
    Integer,     // a whole number within [low, high]
    Decimal,     // a number with '.' within [low, high]
    Text,
    FolderList,  // ';'-separated folders
    Folder,
    File,
    Choice,      // one of `choices`, or whatever else the user types
};

// The pages of the sheet, in tab order.
enum class TodayPageId : uint8_t { Paths, Video, Sound, Input, Performance, Screen, AllOptions };

struct TodayOptionInfo {
    const char* name;
    TodayKind kind;
    TodayPageId page;
    uint16_t label;  // string id of the page's label
    double low = 0, high = 0;
    const char* choices = nullptr;  // '|'-separated
};

// The built-in table, in page order.
const std::vector<TodayOptionInfo>& TodayOptionTable();
const TodayOptionInfo* FindTodayOption(std::string_view name);

struct TodayOption {
    std::string name;
    std::string section;       // the "# ..." header it stands under
    std::string defaultValue;  // as -showconfig printed it
    std::string description;   // from -showusage; may be empty
};

// The options of a -showconfig text, in its order, with the descriptions of
// a -showusage text (whose long names may run into the description: the
// names of the config text tell where a name ends).
std::vector<TodayOption> ReadTodayOptions(std::string_view config, std::string_view usage);

// Whether `value` reads as `kind` (a Decimal also takes a whole number).
// Kinds without a form of their own take anything.
bool FitsKind(const TodayOptionInfo& info, std::string_view value);

// The value as it goes into the file: blanks trimmed, a decimal comma
// turned into the point MAME reads whatever the user's locale.
std::string NormalisedValue(const TodayOptionInfo* info, std::string_view value);

// Nothing when `value` may be written for `info` (null: an option outside
// the table); else what the option accepts, for the message: "a whole
// number from 0 to 10", "a number from 0.1 to 2", "text without line
// breaks or double quotes".
enum class ValueProblem : uint8_t { None, Unwritable, OutOfRange };
ValueProblem CheckTodayValue(const TodayOptionInfo* info, std::string_view value);

// The range text of a numeric option: "0 - 10" or "0.1 - 2".
std::string RangeText(const TodayOptionInfo& info);

}  // namespace quillet
