// The SQLite ODBC driver the installers ship (tools/build-odbc-driver.sh),
// loaded as a plain DLL and driven through its own entry points: Wine's
// odbc32 always forwards to the host's unixODBC, so this is how the Windows
// driver itself is exercised here. It must create a catalogue with the
// program's schema, take rows, and read them back with the options of the
// program's connection string.
#include "win/support.h"

#include <sql.h>
#include <sqlext.h>

#include <fstream>
#include <sstream>

namespace quillet::test {
namespace {

using AllocHandleFn = SQLRETURN(SQL_API*)(SQLSMALLINT, SQLHANDLE, SQLHANDLE*);
using SetEnvAttrFn = SQLRETURN(SQL_API*)(SQLHENV, SQLINTEGER, SQLPOINTER, SQLINTEGER);
using DriverConnectFn = SQLRETURN(SQL_API*)(SQLHDBC, SQLHWND, SQLWCHAR*, SQLSMALLINT, SQLWCHAR*, SQLSMALLINT,
                                            SQLSMALLINT*, SQLUSMALLINT);
using ExecDirectFn = SQLRETURN(SQL_API*)(SQLHSTMT, SQLWCHAR*, SQLINTEGER);
using FetchFn = SQLRETURN(SQL_API*)(SQLHSTMT);
using GetDataFn = SQLRETURN(SQL_API*)(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*);
using FreeHandleFn = SQLRETURN(SQL_API*)(SQLSMALLINT, SQLHANDLE);
using DisconnectFn = SQLRETURN(SQL_API*)(SQLHDBC);

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The driver's own functions, and one connection made through them.
class Driver {
public:
    explicit Driver(HMODULE dll)
        : alloc_(Get<AllocHandleFn>(dll, "SQLAllocHandle")), setEnv_(Get<SetEnvAttrFn>(dll, "SQLSetEnvAttr")),
          connect_(Get<DriverConnectFn>(dll, "SQLDriverConnectW")), exec_(Get<ExecDirectFn>(dll, "SQLExecDirectW")),
          fetch_(Get<FetchFn>(dll, "SQLFetch")), getData_(Get<GetDataFn>(dll, "SQLGetData")),
          free_(Get<FreeHandleFn>(dll, "SQLFreeHandle")), disconnect_(Get<DisconnectFn>(dll, "SQLDisconnect")) {}

    bool Connect(const std::string& options) {
        if (alloc_(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_) != SQL_SUCCESS) return false;
        setEnv_(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        if (alloc_(SQL_HANDLE_DBC, env_, &dbc_) != SQL_SUCCESS) return false;
        std::wstring text = Widen(options);
        SQLWCHAR out[512];
        SQLSMALLINT outLength = 0;
        const SQLRETURN r = connect_(dbc_, nullptr, reinterpret_cast<SQLWCHAR*>(text.data()), SQL_NTS, out, 512,
                                     &outLength, SQL_DRIVER_NOPROMPT);
        connected_ = SQL_SUCCEEDED(r);
        return connected_;
    }
    ~Driver() {
        if (connected_) disconnect_(dbc_);
        if (dbc_) free_(SQL_HANDLE_DBC, dbc_);
        if (env_) free_(SQL_HANDLE_ENV, env_);
    }
    bool Execute(const std::string& sql) {
        SQLHANDLE statement = nullptr;
        if (alloc_(SQL_HANDLE_STMT, dbc_, &statement) != SQL_SUCCESS) return false;
        std::wstring text = Widen(sql);
        const SQLRETURN r = exec_(statement, reinterpret_cast<SQLWCHAR*>(text.data()), SQL_NTS);
        free_(SQL_HANDLE_STMT, statement);
        return SQL_SUCCEEDED(r) || r == SQL_NO_DATA;
    }
    // Every row of a query, its columns joined by '|', rows by ';'.
    std::string Rows(const std::string& sql, int columns) {
        SQLHANDLE statement = nullptr;
        if (alloc_(SQL_HANDLE_STMT, dbc_, &statement) != SQL_SUCCESS) return "(no statement)";
        std::wstring text = Widen(sql);
        std::string rows;
        if (!SQL_SUCCEEDED(exec_(statement, reinterpret_cast<SQLWCHAR*>(text.data()), SQL_NTS))) rows = "(failed)";
        while (rows != "(failed)" && SQL_SUCCEEDED(fetch_(statement))) {
            for (int c = 1; c <= columns; ++c) {
                char cell[200] = {};
                SQLLEN length = 0;
                getData_(statement, static_cast<SQLUSMALLINT>(c), SQL_C_CHAR, cell, sizeof cell, &length);
                rows += cell;
                rows += c < columns ? "|" : ";";
            }
        }
        free_(SQL_HANDLE_STMT, statement);
        return rows;
    }
    bool complete() const { return alloc_ && setEnv_ && connect_ && exec_ && fetch_ && getData_ && free_ && disconnect_; }

private:
    template <typename F>
    static F Get(HMODULE dll, const char* name) {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
    }
    AllocHandleFn alloc_;
    SetEnvAttrFn setEnv_;
    DriverConnectFn connect_;
    ExecDirectFn exec_;
    FetchFn fetch_;
    GetDataFn getData_;
    FreeHandleFn free_;
    DisconnectFn disconnect_;
    SQLHANDLE env_ = nullptr;
    SQLHANDLE dbc_ = nullptr;
    bool connected_ = false;
};

// The statements of db/schema.sql, its comment lines left out.
std::vector<std::string> SchemaStatements() {
    std::ifstream file(SourcePath("db/schema.sql"));
    std::string line, text;
    while (std::getline(file, line))
        if (line.rfind("--", 0) != 0) text += line + "\n";
    std::vector<std::string> statements;
    std::stringstream parts(text);
    std::string statement;
    while (std::getline(parts, statement, ';'))
        if (statement.find_first_not_of(" \r\n\t") != std::string::npos) statements.push_back(statement);
    return statements;
}

}  // namespace

TEST_CASE("the bundled SQLite ODBC driver creates, fills and reads a catalogue with the program's schema") {
    const std::string dll = BuildPath(sizeof(void*) == 8 ? "../driver/win64/sqlite3odbc.dll"
                                                         : "../driver/win32/sqlite3odbc.dll");
    REQUIRE_MESSAGE(FileExists(dll), dll << " is missing: make installer builds it");
    HMODULE module = LoadLibraryA(dll.c_str());
    REQUIRE(module != nullptr);
    TempDir dir;
    const std::string catalogue = dir.file("gamelist.mdb");
    {
        Driver driver(module);
        REQUIRE(driver.complete());
        REQUIRE(driver.Connect("Database=" + catalogue + ";"));
        const std::vector<std::string> schema = SchemaStatements();
        REQUIRE_FALSE(schema.empty());
        for (const std::string& statement : schema) CHECK_MESSAGE(driver.Execute(statement), statement);
        CHECK(driver.Execute("INSERT INTO main (RomName, Description, Year, Manufacturer, Original, Cloneof, "
                             "DriverStatus, ColorStatus, SoundStatus, Palette, Video, Orientation, Resolution, "
                             "Frequency, IconPath) VALUES ('pacman', 'Pac-Man (Midway)', 1980, 'Namco', 1, 'puckman', "
                             "0, 0, 0, 16, 0, 1, '224x288', 60, ' ')"));
        CHECK(driver.Execute("INSERT INTO main (RomName, Description, Year) VALUES ('puckman', 'Puck Man', 1980)"));
        // The primary key refuses a second game of the same name.
        CHECK_FALSE(driver.Execute("INSERT INTO main (RomName) VALUES ('pacman')"));
    }
    {
        // Read back with the options of the program's own connection string.
        Driver driver(module);
        REQUIRE(driver.Connect("Database=" + catalogue + ";NoCreat=1;JournalMode=WAL;SyncPragma=NORMAL"));
        CHECK_EQ(driver.Rows("SELECT RomName, Description, Cloneof, Status, Category FROM main ORDER BY RomName", 5),
                 "pacman|Pac-Man (Midway)|puckman|3| ;puckman|Puck Man| |3| ;");
        CHECK_EQ(driver.Rows("SELECT COUNT(*) FROM main WHERE Resolution BETWEEN '224x256' AND '256x224'", 1), "1;");
    }
    {
        // NoCreat keeps a mistyped path from turning into a new empty file.
        Driver driver(module);
        CHECK_FALSE(driver.Connect("Database=" + dir.file("missing.mdb") + ";NoCreat=1"));
        CHECK_FALSE(FileExists(dir.file("missing.mdb")));
    }
    FreeLibrary(module);
}

}  // namespace quillet::test
