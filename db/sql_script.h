// A text of several SQL statements, split the way SQLite reads it, so that
// each goes to the driver on its own: the SQLite ODBC driver's own handling
// of a many-statement text is not to be relied on (it stops or misreads at
// comments and quotes).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// The statements of `script`, each without its ';', comments ("-- ..." to
// the line's end) dropped, blank ones left out. A ';' inside a quoted
// string ('...' with '' for a quote) or a quoted name ("...") is the
// statement's own.
std::vector<std::string> SplitSqlScript(std::string_view script);

}  // namespace quillet
