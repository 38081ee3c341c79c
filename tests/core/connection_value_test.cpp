#include <doctest/doctest.h>

#include <string>

#include "db/connection_value.h"

using namespace quillet;

TEST_CASE("catalogue paths as connection-string values") {
    const struct {
        const char* path;
        const char* sqlite;
        const char* access;
    } rows[] = {
        {"/home/me/games/gamelist.mdb", "/home/me/games/gamelist.mdb", "{/home/me/games/gamelist.mdb}"},
        // The SQLite driver ends a value at ';': the file: form, escaped.
        {"/home/me/a;b/gamelist.mdb", "file:/home/me/a%3Bb/gamelist.mdb", "{/home/me/a;b/gamelist.mdb}"},
        {"/g;100% #1?/x.mdb", "file:/g%3B100%25 %231%3F/x.mdb", "{/g;100% #1?/x.mdb}"},
        {"C:\\My;Games\\gamelist.mdb", "file:///C:/My%3BGames/gamelist.mdb", "{C:\\My;Games\\gamelist.mdb}"},
        // Percent signs and the like without a ';' need no URI.
        {"/g/100%/x.mdb", "/g/100%/x.mdb", "{/g/100%/x.mdb}"},
        // A closing brace is doubled inside the braces.
        {"/a}b/x.mdb", "/a}b/x.mdb", "{/a}}b/x.mdb}"},
    };
    for (const auto& row : rows) {
        CAPTURE(row.path);
        CHECK_EQ(SqliteDatabaseValue(row.path), row.sqlite);
        CHECK_EQ(AccessDatabaseValue(row.path), row.access);
    }
}
