// The catalogue path as a value of an ODBC connection string.
#pragma once

#include <string>

namespace quillet {

// For the SQLite driver's Database key. Its parser reads a value up to the
// next ';' and knows no braces, so a path holding ';' goes over as an
// SQLite file: URI, with ';', '%', '?' and '#' escaped and backslashes
// turned into slashes; any other path goes over as it is.
std::string SqliteDatabaseValue(const std::string& path);

// For the Access driver's DBQ key: in braces, a '}' doubled, so that ';'
// and '=' in the path are the path's own.
std::string AccessDatabaseValue(const std::string& path);

}  // namespace quillet
