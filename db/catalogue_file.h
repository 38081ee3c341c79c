// Making a new, empty catalogue from the schema compiled into the program.
#pragma once

namespace quillet {

// Creates the catalogue file `path` (ANSI) with the tables of db/schema.sql
// through the SQLite ODBC driver: written under a temporary name and renamed
// once complete, so a failure leaves no file. False on failure, with the
// thread's last error set; an existing file is never replaced.
bool CreateCatalogueFile(const char* path);

}  // namespace quillet
