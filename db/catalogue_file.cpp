#include "db/catalogue_file.h"

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <string>

#include "base/handles.h"
#include "db/database.h"
#include "db/schema_sql.h"  // kCatalogueSchema, generated from db/schema.sql

namespace quillet {

namespace {

// Runs the whole schema on a fresh connection to the empty file `path`; the
// SQLite driver runs a text of several statements one after the other.
bool WriteSchema(const char* path) {
    SQLHENV environment = nullptr;
    SQLHDBC connection = nullptr;
    SQLHSTMT statement = nullptr;
    bool written = false;
    if (Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment)) &&
        Succeeded(SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)) &&
        Succeeded(SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection))) {
        if (OpenCatalogueConnection(environment, connection, nullptr, path)) {
            if (Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement))) {
                // The driver answers a text that ends in statements without
                // rows with SQL_NO_DATA; the table's presence is the proof.
                const SQLRETURN result = SQLExecDirect(
                    statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(kCatalogueSchema)), SQL_NTS);
                SQLFreeStmt(statement, SQL_CLOSE);
                written = (Succeeded(result) || result == SQL_NO_DATA) &&
                          Succeeded(SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(
                                                                 "SELECT COUNT(*) FROM main")),
                                                  SQL_NTS));
                SQLFreeHandle(SQL_HANDLE_STMT, statement);
            }
            SQLDisconnect(connection);
        }
    }
    if (connection) SQLFreeHandle(SQL_HANDLE_DBC, connection);
    if (environment) SQLFreeHandle(SQL_HANDLE_ENV, environment);
    return written;
}

}  // namespace

bool CreateCatalogueFile(const char* path) {
    const std::string part = std::string(path) + ".new";
    DeleteFileA(part.c_str());
    DeleteFileA((part + "-wal").c_str());
    DeleteFileA((part + "-shm").c_str());
    // An empty file is an empty SQLite database: the driver opens it without
    // being allowed to create files, and the schema fills it.
    HANDLE file = CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    const bool written = WriteSchema(part.c_str());
    // The connection is closed: SQLite has folded its log into the file.
    DeleteFileA((part + "-wal").c_str());
    DeleteFileA((part + "-shm").c_str());
    if (written && MoveFileExA(part.c_str(), path, 0)) return true;
    const DWORD error = written ? GetLastError() : ERROR_WRITE_FAULT;
    DeleteFileA(part.c_str());
    SetLastError(error);
    return false;
}

}  // namespace quillet
