#include "db/catalogue_upgrade.h"

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <cstring>

#include "db/database.h"

namespace quillet {

namespace {

// The same definitions as db/schema.sql.
constexpr char kAddMechanical[] = "ALTER TABLE main ADD COLUMN ismechanical TINYINT NOT NULL DEFAULT 0";

struct TableDefinition {
    const char* name;
    const char* statements[2];  // the table, then an index or nothing
};

constexpr TableDefinition kTables[] = {
    {"usergames",
     {"CREATE TABLE usergames (RomName CHAR(17) NOT NULL PRIMARY KEY, Favourite TINYINT NOT NULL DEFAULT 0, "
      "TimesPlayed INTEGER NOT NULL DEFAULT 0, LastPlayed CHAR(19) NOT NULL DEFAULT '', "
      "SecondsPlayed INTEGER NOT NULL DEFAULT 0)",
      nullptr}},
    {"historyfile",
     {"CREATE TABLE historyfile (Path CHAR(260) NOT NULL DEFAULT '', Version CHAR(40) NOT NULL DEFAULT '', "
      "Size INTEGER NOT NULL DEFAULT 0, Time INTEGER NOT NULL DEFAULT 0, Damaged TINYINT NOT NULL DEFAULT 0)",
      nullptr}},
    {"historyindex",
     {"CREATE TABLE historyindex (Name CHAR(40) NOT NULL, Offset INTEGER NOT NULL, Length INTEGER NOT NULL)",
      "CREATE INDEX historyindex_name ON historyindex (Name)"}},
};

SQLCHAR* Text(const char* text) { return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text)); }

// True when the catalogue function run by `query` on a fresh statement
// returns at least one row.
template <class Query>
bool AnyRow(Query query) {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (!DatabaseConnection || !SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &statement)))
        return false;
    const bool found = SQL_SUCCEEDED(query(statement)) && SQL_SUCCEEDED(SQLFetch(statement));
    SQLFreeStmt(statement, SQL_CLOSE);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return found;
}

bool Run(const char* sql) {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &statement))) return false;
    const bool ok = SQL_SUCCEEDED(SQLExecDirect(statement, Text(sql), SQL_NTS));
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return ok;
}

}  // namespace

bool CatalogueHasTable(const char* table) {
    return AnyRow([table](SQLHSTMT s) {
        return SQLTables(s, nullptr, 0, nullptr, 0, Text(table), SQL_NTS, Text("TABLE"), SQL_NTS);
    });
}

bool CatalogueHasColumn(const char* table, const char* column) {
    return AnyRow([table, column](SQLHSTMT s) {
        return SQLColumns(s, nullptr, 0, nullptr, 0, Text(table), SQL_NTS, Text(column), SQL_NTS);
    });
}

void UpgradeCatalogue() {
    if (!DatabaseConnection) return;
    if (CatalogueHasTable("main") && !CatalogueHasColumn("main", "ismechanical")) Run(kAddMechanical);
    for (const TableDefinition& table : kTables) {
        if (CatalogueHasTable(table.name)) continue;
        for (const char* sql : table.statements)
            if (sql && !Run(sql)) break;
    }
}

}  // namespace quillet
