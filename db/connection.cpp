// The one ODBC connection to gamelist.mdb and the routine that runs a single
// SQL text on a statement of its own.
//
// Engine: a file that starts with the SQLite header (or an empty file, a
// catalogue being made) is opened through the SQLite ODBC driver; any other
// file, and a missing one, gets the Access driver's connection string, so a
// catalogue made for Access still opens wherever that driver is installed
// (and a missing file fails to connect).
//
// The SQLite driver is Quillet's own registration when there is one (the
// installer's, of the driver in Quillet's folder), else the shared name
// that a portable copy finds wherever the driver is installed.
#include "db/database.h"

#include <cstdio>
#include <cstring>

#include <string>

#include "base/handles.h"
#include "base/report.h"
#include "db/connection_value.h"
#include "resources/resource_ids.h"

namespace quillet {

SQLHENV DatabaseEnvironment;
SQLHDBC DatabaseConnection;
OdbcStatement GameQueryStatement;

namespace {

constexpr int kConnectionStringSize = 512;

// ---- Connection strings (the driver names and keys) ----
constexpr char kAccessConnection[] = "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=%s";
// NoCreat: a missing file fails to connect instead of becoming an empty
// database. WAL with NORMAL syncing keeps the import's one-commit-per-insert
// affordable (tens of milliseconds per thousand rows instead of seconds).
constexpr char kSqliteConnection[] =
    "DRIVER={%s};Database=%s;NoCreat=1;JournalMode=WAL;SyncPragma=NORMAL";
// ---- end of the connection strings ----

// The first 16 bytes of every SQLite 3 database, the terminator included.
constexpr char kSqliteHeader[16] = "SQLite format 3";

bool IsSqliteFile(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char head[sizeof kSqliteHeader];
    DWORD got = 0;
    const BOOL read = ReadFile(file, head, sizeof head, &got, nullptr);
    CloseHandle(file);
    if (read && got == 0) return true;  // empty: SQLite's empty database
    return read && got == sizeof head && std::memcmp(head, kSqliteHeader, sizeof head) == 0;
}

// Quillet's own driver registration when the driver manager knows it, else
// the shared name.
const char* SqliteDriverName(SQLHENV environment) {
    SQLCHAR name[256];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT attributesLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (Succeeded(SQLDrivers(environment, direction, name, sizeof name, &nameLength, nullptr, 0, &attributesLength))) {
        if (std::strcmp(reinterpret_cast<const char*>(name), kOwnSqliteDriver) == 0) return kOwnSqliteDriver;
        direction = SQL_FETCH_NEXT;
    }
    return kSharedSqliteDriver;
}

// Under Wine every ODBC driver is a host library and opens files by host
// path. Wine's kernel32 exports the converter; Windows has no such export,
// and there (or when the conversion fails) the path goes through unchanged.
// The converted name is allocated on the process heap by Wine.
using UnixFileNameFunction = char*(CDECL*)(LPCWSTR dosName);

bool DriverPath(const char* path, char* out, size_t capacity) {
    const auto convert = reinterpret_cast<UnixFileNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    WCHAR wide[1024];
    char* hostPath = nullptr;
    if (convert && MultiByteToWideChar(CP_ACP, 0, path, -1, wide, sizeof wide / sizeof wide[0]) > 0)
        hostPath = convert(wide);
    const char* chosen = hostPath ? hostPath : path;
    const bool fits = std::strlen(chosen) < capacity;
    if (fits) std::strcpy(out, chosen);
    if (hostPath) HeapFree(GetProcessHeap(), 0, hostPath);
    return fits;
}

// False when the path does not fit: the string would otherwise be cut and
// name another file. The value goes in the form its driver parses whole.
bool BuildConnectionString(SQLHENV environment, const char* path, char* out) {
    char driverPath[kConnectionStringSize];
    if (!DriverPath(path, driverPath, sizeof driverPath)) return false;
    const int length =
        IsSqliteFile(path)
            ? std::snprintf(out, kConnectionStringSize, kSqliteConnection, SqliteDriverName(environment),
                            SqliteDatabaseValue(driverPath).c_str())
            : std::snprintf(out, kConnectionStringSize, kAccessConnection, AccessDatabaseValue(driverPath).c_str());
    return length >= 0 && length < kConnectionStringSize;
}

// What the last ConnectDatabase was given, for ReopenDatabase.
char connectedPath[512];
FilterQueryBlock* connectedBlock;

void ReleaseConnection() {
    SQLFreeHandle(SQL_HANDLE_DBC, DatabaseConnection);
    DatabaseConnection = nullptr;
}

void ReleaseEnvironment() {
    SQLFreeHandle(SQL_HANDLE_ENV, DatabaseEnvironment);
    DatabaseEnvironment = nullptr;
}

}  // namespace

bool OpenCatalogueConnection(SQLHENV environment, SQLHDBC connection, HWND owner, const char* path) {
    char text[kConnectionStringSize];
    SQLCHAR completed[kConnectionStringSize];
    SQLSMALLINT completedLength = 0;
    return BuildConnectionString(environment, path, text) &&
           Succeeded(SQLDriverConnect(connection, owner, reinterpret_cast<SQLCHAR*>(text), SQL_NTS, completed,
                                      sizeof completed, &completedLength, SQL_DRIVER_COMPLETE));
}

bool ConnectDatabase(HWND owner, const char* path, FilterQueryBlock* block) {
    if (path != connectedPath) lstrcpynA(connectedPath, path, sizeof connectedPath);
    connectedBlock = block;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &DatabaseEnvironment))) {
        DatabaseEnvironment = nullptr;
        ReportMessage(owner, MessageSourceModule, MSG_ODBC_ENVIRONMENT);
        return false;
    }
    if (!Succeeded(SQLSetEnvAttr(DatabaseEnvironment, SQL_ATTR_ODBC_VERSION,
                                 reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0))) {
        ReleaseEnvironment();
        ReportMessage(owner, MessageSourceModule, MSG_ODBC_ENVIRONMENT);
        return false;
    }
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_DBC, DatabaseEnvironment, &DatabaseConnection))) {
        DatabaseConnection = nullptr;
        ReleaseEnvironment();
        ReportMessage(owner, MessageSourceModule, MSG_ODBC_CONNECTION);
        return false;
    }

    if (!OpenCatalogueConnection(DatabaseEnvironment, DatabaseConnection, owner, path)) {
        ReleaseConnection();
        ReleaseEnvironment();
        ReportMessage(owner, MessageSourceModule, MSG_ODBC_CONNECTION);
        return false;
    }
    return PrepareGameQuery(owner, block);
}

void DisconnectDatabase() {
    GameQueryStatement.reset();
    if (DatabaseConnection) {
        // A driver may refuse to close over an open transaction (SQLSTATE
        // 25000): one more rollback, then the close again. Never autocommit,
        // which would commit it.
        if (!Succeeded(SQLDisconnect(DatabaseConnection))) {
            SQLEndTran(SQL_HANDLE_DBC, DatabaseConnection, SQL_ROLLBACK);
            SQLDisconnect(DatabaseConnection);
        }
        ReleaseConnection();
    }
    if (DatabaseEnvironment) ReleaseEnvironment();
}

bool ReopenDatabase(HWND owner) {
    DisconnectDatabase();
    return ConnectDatabase(owner, connectedPath, connectedBlock);
}

void ExecuteDirect(HWND owner, const char* sql, SQLINTEGER length) {
    const OdbcStatement statement(DatabaseConnection);
    if (!statement.valid()) {
        ReportMessage(owner, MessageSourceModule, MSG_ODBC_STATEMENT);
        return;
    }
    SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql)), length);
}

}  // namespace quillet
