// The list as a CSV file: UTF-8 with a byte-order mark (so spreadsheet
// programs read it as UTF-8), fields quoted as RFC 4180 has it, rows ended
// by CR LF. Pure; app/export_list.cpp collects the cells and writes the file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Appends one field: as it is, or in double quotes with every double quote
// doubled when it holds a comma, a double quote, a carriage return or a line
// feed (or begins or ends with a blank, which some readers would drop).
void AppendCsvField(std::string& out, std::string_view field);
// Appends the fields separated by commas and ended by CR LF.
void AppendCsvRow(std::string& out, const std::vector<std::string>& fields);

}  // namespace quillet
