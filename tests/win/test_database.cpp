// The game database on real SQLite catalogues through the SQLite ODBC driver:
// connecting and the choice of engine, ExecuteDirect, and the filtered game
// query with the records it hands over. Every test works on its own copy of
// the schema-only catalogue of the build.
//
// The ODBC calls the code under test makes are counted by replacing their
// entries in this executable's import table, so the tests can tell what was
// prepared, executed and freed, and which connection string the driver got.
#include "win/support.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/progress.h"
#include "base/report.h"
#include "db/database.h"
#include "gamelist/game_list.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// ---------------------------------------------------------------------------
// ODBC calls seen through the import table

struct OdbcCalls {
    LONG prepare;
    LONG execute;
    LONG bindParameter;
    LONG allocStatement;
    LONG freeStatement;
    LONG freeConnection;
    LONG freeEnvironment;
    LONG driverConnect;
    std::string connectionString;
    SQLHWND connectWindow;
    SQLSMALLINT completedCapacity;
    SQLUSMALLINT completion;
    bool listOwnDriver;  // SQLDrivers adds Quillet's own registration at the end
    bool ownListed;
};
OdbcCalls calls;

using PrepareFunction = SQLRETURN(SQL_API*)(SQLHSTMT, SQLCHAR*, SQLINTEGER);
using ExecuteFunction = SQLRETURN(SQL_API*)(SQLHSTMT);
using BindParameterFunction = SQLRETURN(SQL_API*)(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLSMALLINT, SQLSMALLINT,
                                                  SQLULEN, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*);
using AllocHandleFunction = SQLRETURN(SQL_API*)(SQLSMALLINT, SQLHANDLE, SQLHANDLE*);
using FreeHandleFunction = SQLRETURN(SQL_API*)(SQLSMALLINT, SQLHANDLE);
using DriverConnectFunction = SQLRETURN(SQL_API*)(SQLHDBC, SQLHWND, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                                                  SQLSMALLINT*, SQLUSMALLINT);

using DriversFunction = SQLRETURN(SQL_API*)(SQLHENV, SQLUSMALLINT, SQLCHAR*, SQLSMALLINT, SQLSMALLINT*, SQLCHAR*,
                                            SQLSMALLINT, SQLSMALLINT*);
DriversFunction realDrivers;
PrepareFunction realPrepare;
ExecuteFunction realExecute;
BindParameterFunction realBindParameter;
AllocHandleFunction realAllocHandle;
FreeHandleFunction realFreeHandle;
DriverConnectFunction realDriverConnect;

SQLRETURN SQL_API CountPrepare(SQLHSTMT s, SQLCHAR* text, SQLINTEGER length) {
    InterlockedIncrement(&calls.prepare);
    return realPrepare(s, text, length);
}
SQLRETURN SQL_API CountExecute(SQLHSTMT s) {
    InterlockedIncrement(&calls.execute);
    return realExecute(s);
}
SQLRETURN SQL_API CountBindParameter(SQLHSTMT s, SQLUSMALLINT n, SQLSMALLINT io, SQLSMALLINT c, SQLSMALLINT t,
                                     SQLULEN size, SQLSMALLINT digits, SQLPOINTER value, SQLLEN capacity,
                                     SQLLEN* indicator) {
    InterlockedIncrement(&calls.bindParameter);
    return realBindParameter(s, n, io, c, t, size, digits, value, capacity, indicator);
}
SQLRETURN SQL_API CountAllocHandle(SQLSMALLINT type, SQLHANDLE in, SQLHANDLE* out) {
    if (type == SQL_HANDLE_STMT) InterlockedIncrement(&calls.allocStatement);
    return realAllocHandle(type, in, out);
}
SQLRETURN SQL_API CountFreeHandle(SQLSMALLINT type, SQLHANDLE handle) {
    if (type == SQL_HANDLE_STMT) InterlockedIncrement(&calls.freeStatement);
    if (type == SQL_HANDLE_DBC) InterlockedIncrement(&calls.freeConnection);
    if (type == SQL_HANDLE_ENV) InterlockedIncrement(&calls.freeEnvironment);
    return realFreeHandle(type, handle);
}
SQLRETURN SQL_API CountDriverConnect(SQLHDBC c, SQLHWND window, SQLCHAR* in, SQLSMALLINT inLength, SQLCHAR* out,
                                     SQLSMALLINT outCapacity, SQLSMALLINT* outLength, SQLUSMALLINT completion) {
    ++calls.driverConnect;
    calls.connectionString = reinterpret_cast<const char*>(in);
    calls.connectWindow = window;
    calls.completedCapacity = outCapacity;
    calls.completion = completion;
    return realDriverConnect(c, window, in, inLength, out, outCapacity, outLength, completion);
}

// The driver manager's list, with Quillet's own registration after the
// real ones when the test asks for it.
SQLRETURN SQL_API ListDrivers(SQLHENV env, SQLUSMALLINT direction, SQLCHAR* name, SQLSMALLINT nameCapacity,
                              SQLSMALLINT* nameLength, SQLCHAR* attributes, SQLSMALLINT attributesCapacity,
                              SQLSMALLINT* attributesLength) {
    if (direction == SQL_FETCH_FIRST) calls.ownListed = false;
    const SQLRETURN result =
        realDrivers(env, direction, name, nameCapacity, nameLength, attributes, attributesCapacity, attributesLength);
    if (result != SQL_NO_DATA || !calls.listOwnDriver || calls.ownListed) return result;
    calls.ownListed = true;
    lstrcpynA(reinterpret_cast<char*>(name), kOwnSqliteDriver, nameCapacity);
    *nameLength = static_cast<SQLSMALLINT>(std::strlen(kOwnSqliteDriver));
    return SQL_SUCCESS;
}

// Points this executable's import of odbc32!`name` at `replacement` and
// returns the previous target (null when there is no such import).
void* ReplaceImport(const char* name, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + d->Name), "odbc32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), name) != 0) continue;
            DWORD protection;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<DWORD_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return previous;
        }
    }
    return nullptr;
}

template <typename F>
void Replace(const char* name, F& real, F counting) {
    if (!real) real = reinterpret_cast<F>(ReplaceImport(name, reinterpret_cast<void*>(counting)));
    const bool imported = real != nullptr;
    REQUIRE_MESSAGE(imported, name);
}

void CountOdbcCalls() {
    Replace("SQLPrepare", realPrepare, CountPrepare);
    Replace("SQLExecute", realExecute, CountExecute);
    Replace("SQLBindParameter", realBindParameter, CountBindParameter);
    Replace("SQLAllocHandle", realAllocHandle, CountAllocHandle);
    Replace("SQLFreeHandle", realFreeHandle, CountFreeHandle);
    Replace("SQLDriverConnect", realDriverConnect, CountDriverConnect);
    Replace("SQLDrivers", realDrivers, ListDrivers);
    calls = OdbcCalls{};
}

// ---------------------------------------------------------------------------
// A window standing in for the progress dialog: it keeps what it is sent.

struct Sent {
    UINT message;
    WPARAM value;
    bool operator==(const Sent&) const = default;
};
std::vector<Sent> sent;

LRESULT CALLBACK StandInProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WMU_PROGRESS_COUNT || message == WMU_PROGRESS_TASK || message == WMU_PROGRESS_STEP ||
        message == WM_CLOSE) {
        sent.push_back({message, message == WM_CLOSE ? 0 : wParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateStandIn() { return CreatePopup("QuilletDatabaseTestDialog", StandInProcedure); }

// ---------------------------------------------------------------------------
// Catalogue rows, messages and display texts

struct Row {
    std::string RomName = "game";
    std::string Description = "A Game";
    int Year = 1985;
    std::string Manufacturer = "Maker";
    int Original = 0;
    std::string Cloneof = " ";
    int Status = 0;
    int DriverStatus = 0;
    int ColorStatus = 0;
    int SoundStatus = 0;
    long Palette = 256;
    int Video = 0;
    int Orientation = 0;
    std::string Resolution = "320x224";
    int Frequency = 60;
    std::string Category = "Action";
    std::string IconPath = "game.ico";
};

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

std::string InsertStatement(const Row& r) {
    auto n = [](long v) { return std::to_string(v); };
    return "INSERT INTO main VALUES (" + Quoted(r.RomName) + ", " + Quoted(r.Description) + ", " + n(r.Year) + ", " +
           Quoted(r.Manufacturer) + ", " + n(r.Original) + ", " + Quoted(r.Cloneof) + ", " + n(r.Status) + ", " +
           n(r.DriverStatus) + ", " + n(r.ColorStatus) + ", " + n(r.SoundStatus) + ", " + n(r.Palette) + ", " +
           n(r.Video) + ", " + n(r.Orientation) + ", " + Quoted(r.Resolution) + ", " + n(r.Frequency) + ", " +
           Quoted(r.Category) + ", " + Quoted(r.IconPath) + ", 0)";
}

std::string ModuleMessage(DWORD number) {
    char text[1024];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, LanguageModule,
                                        number, 0, text, sizeof text, nullptr);
    return std::string(text, length);
}

std::vector<std::string> Texts(const std::vector<ShownBox>& boxes) {
    std::vector<std::string> out;
    for (const ShownBox& b : boxes) out.push_back(b.text);
    return out;
}

std::vector<std::string> Messages(std::initializer_list<DWORD> numbers) {
    std::vector<std::string> out;
    for (DWORD n : numbers) out.push_back(ModuleMessage(n));
    return out;
}

// Display texts that name their string id, so a field shows which id it got.
struct IdTexts {
    RecordTextTable table{};
    IdTexts() {
        for (int i = 0; i < kRecordTextCount; ++i) std::snprintf(table[i], sizeof table[i], "#%u", kRecordTextIds[i]);
    }
};
std::string IdText(unsigned id) {
    char text[16];
    std::snprintf(text, sizeof text, "#%u", id);
    return text;
}

std::vector<std::string> Names(const std::vector<GameRecord>& records) {
    std::vector<std::string> out;
    for (const GameRecord& r : records) out.push_back(r.RomName);
    return out;
}

// ---------------------------------------------------------------------------
// The fixture: a scratch copy of the empty catalogue, the block the default
// filters produce, a stand-in dialog, and recorded boxes and calls.

struct Catalogue {
    MessageBoxRecorder boxes;
    TempDir dir;
    std::string path = dir.file("gamelist.mdb");
    FilterQueryBlock block{};
    HWND dialog = CreateStandIn();
    IdTexts texts;

    Catalogue() {
        REQUIRE(UseLanguage("english"));
        ProcessHeap = GetProcessHeap();
        const std::string empty = BuildPath("gamelist_empty.mdb");
        REQUIRE_MESSAGE(CopyFileA(empty.c_str(), path.c_str(), FALSE), "missing " << empty);
        FrontendSettings defaults;
        SetDefaultSettings(defaults);
        block = defaults.Filter.Query;
        CountOdbcCalls();
        sent.clear();
    }
    ~Catalogue() {
        DisconnectDatabase();
        DestroyWindow(dialog);
    }

    bool Connect() { return ConnectDatabase(dialog, path.c_str(), &block); }

    // Runs SQL on a statement of the test's own, outside the counted calls.
    void Execute(const std::string& sql) {
        const OdbcCalls before = calls;
        SQLHSTMT statement = nullptr;
        REQUIRE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &statement)));
        const SQLRETURN result =
            SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS);
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        // A statement that touches no row answers "no data".
        REQUIRE_MESSAGE((SQL_SUCCEEDED(result) || result == SQL_NO_DATA), sql);
        calls = before;
    }
    void Insert(std::initializer_list<Row> rows) {
        for (const Row& r : rows) Execute(InsertStatement(r));
    }

    // FetchGames into a fresh list; the records in the order they leave it.
    std::vector<GameRecord> Fetch(bool* executed = nullptr) {
        GameRecordList list{};
        const bool ok = FetchGames(dialog, list, texts.table);
        if (executed) *executed = ok;
        const DWORD count = list.count;
        std::vector<GameRecord> records;
        while (GameRecord* r = PopGameRecord(list)) {
            records.push_back(*r);
            FreeGameRecord(r);
        }
        CHECK_EQ(records.size(), count);
        CHECK_EQ(list.count, 0u);
        return records;
    }
    std::vector<std::string> FetchNames() { return Names(Fetch()); }
};

constexpr char kSqliteTail[] = "/gamelist.mdb;NoCreat=1;JournalMode=WAL;SyncPragma=NORMAL";

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}
bool StartsWith(const std::string& s, const std::string& head) { return s.compare(0, head.size(), head) == 0; }

struct FetchWork {
    Catalogue* catalogue;
    GameRecordList list;
    bool executed;
};
DWORD WINAPI FetchOnWorker(LPVOID parameter) {
    auto* work = static_cast<FetchWork*>(parameter);
    work->executed = FetchGames(work->catalogue->dialog, work->list, work->catalogue->texts.table);
    return 0;
}

// The counts the dialog was sent, in order.
std::vector<WPARAM> Counts() {
    std::vector<WPARAM> counts;
    for (const Sent& s : sent)
        if (s.message == WMU_PROGRESS_COUNT) counts.push_back(s.value);
    return counts;
}

void CheckAllHandlesEmpty() {
    CHECK_EQ(GameQueryStatement.get(), SQLHSTMT{});
    CHECK_EQ(DatabaseConnection, SQLHDBC{});
    CHECK_EQ(DatabaseEnvironment, SQLHENV{});
}

}  // namespace

// ===========================================================================
TEST_SUITE("connection") {

TEST_CASE("an SQLite catalogue connects through the SQLite driver by host path, and disconnects to empty handles") {
    Catalogue c;
    REQUIRE(c.Connect());
    CHECK(c.boxes.boxes().empty());
    CHECK_EQ(calls.driverConnect, 1);
    const std::string& s = calls.connectionString;
    CHECK_MESSAGE(StartsWith(s, "DRIVER={SQLite3 ODBC Driver};Database=/"), s);
    CHECK_MESSAGE(EndsWith(s, kSqliteTail), s);
    CHECK_MESSAGE(s.find('\\') == std::string::npos, s);
    CHECK_EQ(calls.connectWindow, c.dialog);
    CHECK_EQ(calls.completion, SQL_DRIVER_COMPLETE);
    CHECK_EQ(calls.completedCapacity, 512);
    CHECK_EQ(calls.prepare, 1);
    CHECK_EQ(calls.bindParameter, 28);
    CHECK_NE(GameQueryStatement.get(), SQLHSTMT{});

    // The connection's own look-ups (is the catalogue up to date?) free their statements at once.
    calls.freeStatement = 0;
    DisconnectDatabase();
    CheckAllHandlesEmpty();
    CHECK_EQ(calls.freeStatement, 1);
    CHECK_EQ(calls.freeConnection, 1);
    CHECK_EQ(calls.freeEnvironment, 1);
    DisconnectDatabase();
    CHECK_EQ(calls.freeStatement + calls.freeConnection + calls.freeEnvironment, 3);
}

TEST_CASE("Quillet's own driver registration is asked for when the driver manager lists it") {
    Catalogue c;
    calls.listOwnDriver = true;
    c.Connect();  // the test's driver manager knows no driver of that name
    CHECK_MESSAGE(StartsWith(calls.connectionString, "DRIVER={Quillet SQLite3 ODBC Driver};Database=/"),
                  calls.connectionString);
    calls.listOwnDriver = false;
}

TEST_CASE("any file without the SQLite header (an empty one aside), and a missing one, gets the Access driver's string") {
    struct Case {
        const char* what;
        const char* bytes;  // null: no file at all
        size_t size;
    };
    const Case cases[] = {
        {"an Access catalogue", "\x00\x01\x00\x00Standard Jet DB\x00\x01\x00\x00\x00", 24},
        {"the header text without its terminator", "SQLite format 3X and more bytes", 31},
        {"a file shorter than the header", "SQLite format", 13},
        {"no file", nullptr, 0},
    };
    for (const Case& k : cases) {
        CAPTURE(k.what);
        Catalogue c;
        DeleteFileA(c.path.c_str());
        if (k.bytes) REQUIRE(WriteFileBytes(c.path, std::string(k.bytes, k.size)));
        // No Access driver is registered here, so these connections fail.
        CHECK_FALSE(c.Connect());
        const std::string& s = calls.connectionString;
        CHECK_MESSAGE(StartsWith(s, "DRIVER={Microsoft Access Driver (*.mdb)};DBQ={/"), s);
        CHECK_MESSAGE(EndsWith(s, "/gamelist.mdb}"), s);
        CHECK_EQ(Texts(c.boxes.boxes()), Messages({MSG_ODBC_CONNECTION}));
        CheckAllHandlesEmpty();
    }
}

TEST_CASE("a missing catalogue: 0xC0000002 at connect, 0xC0000004 at the reload, no rows, nothing freed twice") {
    Catalogue c;
    DeleteFileA(c.path.c_str());
    CHECK_FALSE(c.Connect());
    CHECK_EQ(Texts(c.boxes.boxes()), Messages({MSG_ODBC_CONNECTION}));
    CheckAllHandlesEmpty();
    CHECK_EQ(calls.freeConnection, 1);
    CHECK_EQ(calls.freeEnvironment, 1);

    bool executed = true;
    CHECK(c.Fetch(&executed).empty());
    CHECK_FALSE(executed);
    CHECK_EQ(Texts(c.boxes.boxes()), Messages({MSG_ODBC_CONNECTION, MSG_ODBC_EXECUTE}));
    CHECK_EQ(sent, std::vector<Sent>{{WMU_PROGRESS_TASK, IDS_TASK_RELOAD}, {WMU_PROGRESS_STEP, IDS_STEP_QUERY}});

    // The exit path.
    DisconnectDatabase();
    CHECK_EQ(calls.freeStatement, 0);
    CHECK_EQ(calls.freeConnection, 1);
    CHECK_EQ(calls.freeEnvironment, 1);
    CheckAllHandlesEmpty();
}

TEST_CASE("a path too long for the connection string is refused before the driver sees it") {
    Catalogue c;
    const std::string longPath = c.dir.path() + "\\" + std::string(480, 'd') + "\\gamelist.mdb";
    CHECK_FALSE(ConnectDatabase(c.dialog, longPath.c_str(), &c.block));
    CHECK_EQ(calls.driverConnect, 0);
    CHECK_EQ(Texts(c.boxes.boxes()), Messages({MSG_ODBC_CONNECTION}));
    CheckAllHandlesEmpty();
}

TEST_CASE("a catalogue without table main: 0xC0000003, the connection stays open, every reload fails") {
    Catalogue c;
    REQUIRE(c.Connect());
    c.Execute("DROP TABLE main");
    DisconnectDatabase();
    calls = OdbcCalls{};

    CHECK_FALSE(c.Connect());
    CHECK_EQ(Texts(c.boxes.boxes()), Messages({MSG_ODBC_STATEMENT}));
    CHECK_EQ(GameQueryStatement.get(), SQLHSTMT{});
    CHECK_NE(DatabaseConnection, SQLHDBC{});
    CHECK_EQ(calls.freeStatement - calls.allocStatement, 0);  // the failed query's statement too

    bool executed = true;
    CHECK(c.Fetch(&executed).empty());
    CHECK_FALSE(executed);
    CHECK_EQ(Texts(c.boxes.boxes()), Messages({MSG_ODBC_STATEMENT, MSG_ODBC_EXECUTE}));

    DisconnectDatabase();
    CHECK_EQ(calls.freeStatement - calls.allocStatement, 0);
    CHECK_EQ(calls.freeConnection, 1);
    CHECK_EQ(calls.freeEnvironment, 1);
    CheckAllHandlesEmpty();
}

}  // TEST_SUITE

// ===========================================================================
TEST_SUITE("ExecuteDirect") {

TEST_CASE("runs its text with the length the caller passes, terminator counted") {
    Catalogue c;
    REQUIRE(c.Connect());
    c.Insert({{.RomName = "aaa"}, {.RomName = "bbb"}});
    ExecuteDirect(c.dialog, "DELETE FROM main", 17);
    CHECK(c.FetchNames().empty());
    CHECK(c.boxes.boxes().empty());
}

TEST_CASE("a failing text reports nothing and still frees its statement") {
    Catalogue c;
    REQUIRE(c.Connect());
    calls = OdbcCalls{};
    const char sql[] = "DELETE FROM nowhere";
    ExecuteDirect(c.dialog, sql, sizeof sql);
    CHECK(c.boxes.boxes().empty());
    CHECK_EQ(calls.allocStatement, 1);
    CHECK_EQ(calls.freeStatement, 1);
}

TEST_CASE("without a connection it reports 0xC0000003") {
    Catalogue c;
    ExecuteDirect(c.dialog, "DELETE FROM main", 17);
    CHECK_EQ(Texts(c.boxes.boxes()), Messages({MSG_ODBC_STATEMENT}));
    CHECK_EQ(calls.freeStatement, 0);
}

}  // TEST_SUITE

// ===========================================================================
TEST_SUITE("game query") {

TEST_CASE("the status bytes select rows by verification result; four 10s select none") {
    Catalogue c;
    REQUIRE(c.Connect());
    c.Insert({{.RomName = "good", .Status = 0},
              {.RomName = "best", .Status = 1},
              {.RomName = "bad", .Status = 2},
              {.RomName = "other", .Status = 3}});
    struct Case {
        uint8_t status[4];
        std::vector<std::string> names;  // in the order they leave the list
    };
    const Case cases[] = {
        {{0, 2, 1, 3}, {"other", "good", "best", "bad"}},
        {{10, 10, 10, 10}, {}},
        {{0, 10, 10, 10}, {"good"}},
        {{10, 10, 1, 3}, {"other", "best"}},
        {{2, 2, 2, 2}, {"bad"}},
    };
    for (const Case& k : cases) {
        CAPTURE(k.names.size());
        std::memcpy(c.block.FilRomDb, k.status, 4);
        sent.clear();
        bool executed = false;
        CHECK_EQ(Names(c.Fetch(&executed)), k.names);
        CHECK(executed);
        const std::vector<WPARAM> counts = Counts();
        CHECK_EQ(counts.empty() ? 0u : counts.back(), k.names.size());
    }
    CHECK(c.boxes.boxes().empty());
}

TEST_CASE("Original byte 1 lists clones and originals, byte 10 originals only") {
    Catalogue c;
    REQUIRE(c.Connect());
    c.Insert({{.RomName = "sf2", .Original = 0}, {.RomName = "sf2ua", .Original = 1, .Cloneof = "sf2"}});
    c.block.FilRomDb[4] = 1;
    CHECK_EQ(c.FetchNames(), std::vector<std::string>{"sf2ua", "sf2"});
    c.block.FilRomDb[4] = 10;
    CHECK_EQ(c.FetchNames(), std::vector<std::string>{"sf2"});
}

TEST_CASE("a year 0 shows a single space, any other year its digits") {
    Catalogue c;
    REQUIRE(c.Connect());
    c.Insert({{.RomName = "a", .Year = 0}, {.RomName = "b", .Year = 1980}, {.RomName = "c", .Year = 2001}});
    const std::vector<GameRecord> records = c.Fetch();
    REQUIRE_EQ(records.size(), 3u);
    CHECK_EQ(std::string(records[2].Year), " ");
    CHECK_EQ(std::string(records[1].Year), "1980");
    CHECK_EQ(std::string(records[0].Year), "2001");
}

TEST_CASE("each coded column shows the display text of its code in its own field") {
    enum Column { Original, Status, Driver, Colour, Sound, Video, Orientation };
    struct Case {
        Column column;
        int code;
        unsigned id;
    };
    const Case cases[] = {
        {Original, 0, 2047},    {Original, 1, 2048},    {Original, 2, 2048},
        {Status, 0, 2039},      {Status, 1, 2040},      {Status, 2, 2041},      {Status, 3, 2042},
        {Driver, 0, 2039},      {Driver, 1, 2044},      {Driver, 2, 2045},      {Driver, 3, 2046},
        {Colour, 0, 2039},      {Colour, 1, 2044},      {Colour, 2, 2045},      {Colour, 3, 2045},
        {Sound, 0, 2039},       {Sound, 1, 2044},       {Sound, 2, 2045},       {Sound, 3, 2045},
        {Video, 0, 2035},       {Video, 1, 2036},       {Video, 2, 2036},
        {Orientation, 0, 2037}, {Orientation, 1, 2038}, {Orientation, 2, 2038},
    };
    // The texts of code 0 in each column, for the columns a case leaves at 0.
    const unsigned zeroIds[7] = {2047, 2039, 2039, 2039, 2039, 2035, 2037};

    Catalogue c;
    REQUIRE(c.Connect());
    const FilterQueryBlock all = c.block;
    for (const Case& k : cases) {
        CAPTURE(k.column);
        CAPTURE(k.code);
        Row row;
        c.block = all;  // the statement stays bound to the block's address
        const uint8_t code = static_cast<uint8_t>(k.code);
        switch (k.column) {
        case Original: row.Original = k.code; c.block.FilRomDb[4] = code; break;
        case Status: row.Status = k.code; std::memset(c.block.FilRomDb, code, 4); break;
        case Driver: row.DriverStatus = k.code; std::memset(c.block.FilDriverDb, code, 2); break;
        case Colour: row.ColorStatus = k.code; std::memset(c.block.FilDriverDb + 2, code, 3); break;
        case Sound: row.SoundStatus = k.code; std::memset(c.block.FilDriverDb + 5, code, 3); break;
        case Video: row.Video = k.code; std::memset(c.block.FilVideoDb, code, 2); break;
        case Orientation: row.Orientation = k.code; std::memset(c.block.FilVideoDb + 2, code, 2); break;
        }
        c.Execute("DELETE FROM main");
        c.Insert({row});
        const std::vector<GameRecord> records = c.Fetch();
        REQUIRE_EQ(records.size(), 1u);
        const GameRecord& r = records[0];
        const char* fields[7] = {r.Original, r.Status, r.DriverStatus, r.ColorStatus,
                                 r.SoundStatus, r.Video, r.Orientation};
        for (int f = 0; f < 7; ++f) {
            CAPTURE(f);
            CHECK_EQ(std::string(fields[f]), IdText(f == k.column ? k.id : zeroIds[f]));
        }
    }
}

TEST_CASE("rows leave the list last in, first out: the reverse of the query's name order") {
    Catalogue c;
    REQUIRE(c.Connect());
    c.Insert({{.RomName = "bbb"}, {.RomName = "aaa"}, {.RomName = "ccc"}});
    GameRecordList list{};
    REQUIRE(FetchGames(c.dialog, list, c.texts.table));
    CHECK_EQ(list.count, 3u);
    std::vector<std::string> order;
    while (GameRecord* r = PopGameRecord(list)) {
        order.push_back(r->RomName);
        FreeGameRecord(r);
    }
    CHECK_EQ(order, std::vector<std::string>{"ccc", "bbb", "aaa"});
    CHECK_EQ(list.count, 0u);
    CHECK(PopGameRecord(list) == nullptr);
    CHECK_EQ(list.count, 0u);
}

TEST_CASE("texts arrive whole up to their field width and are cut beyond it") {
    Catalogue c;
    REQUIRE(c.Connect());
    const Row full{.RomName = "abcdefgh", .Description = std::string(119, 'd'), .Year = 1999,
                   .Manufacturer = std::string(99, 'm'), .Original = 1, .Cloneof = "parentxx",
                   .Palette = 65536, .Resolution = "1024x768", .Frequency = 100,
                   .Category = std::string(89, 'c'), .IconPath = "parentxx.ico"};
    const Row longer{.RomName = "zzz", .Description = std::string(200, 'L'), .Manufacturer = std::string(150, 'M'),
                     .Category = std::string(120, 'C')};
    c.Insert({full, longer});
    const std::vector<GameRecord> records = c.Fetch();
    REQUIRE_EQ(records.size(), 2u);

    const GameRecord& cut = records[0];
    CHECK_EQ(std::string(cut.RomName), "zzz");
    CHECK_EQ(std::string(cut.Description), std::string(119, 'L'));
    CHECK_EQ(std::string(cut.Manufacturer), std::string(111, 'M'));
    CHECK_EQ(std::string(cut.Category), std::string(95, 'C'));

    const GameRecord& r = records[1];
    CHECK_EQ(std::string(r.RomName), full.RomName);
    CHECK_EQ(std::string(r.Description), full.Description);
    CHECK_EQ(std::string(r.Year), "1999");
    CHECK_EQ(std::string(r.Manufacturer), full.Manufacturer);
    CHECK_EQ(std::string(r.Cloneof), full.Cloneof);
    CHECK_EQ(std::string(r.Palette), "65536");
    CHECK_EQ(std::string(r.Resolution), "1024x768");
    CHECK_EQ(std::string(r.Frequency), "100");
    CHECK_EQ(std::string(r.Category), full.Category);
    CHECK_EQ(std::string(r.IconPath), full.IconPath);
}

TEST_CASE("each filter compares as the catalogue's column does: patterns case-blind, numbers as numbers") {
    Catalogue c;
    REQUIRE(c.Connect());
    c.Insert({
        {.RomName = "pacman", .Year = 1980, .Manufacturer = "Namco", .Palette = 512, .Orientation = 1,
         .Resolution = "288x224", .Frequency = 60},
        {.RomName = "pang", .Year = 1989, .Manufacturer = "Mitchell", .ColorStatus = 1, .SoundStatus = 2,
         .Palette = 2048, .Resolution = "384x240", .Frequency = 57},
        {.RomName = "pong", .Year = 1972, .Manufacturer = "Atari", .Palette = 2, .Resolution = "1024x570"},
        {.RomName = "asteroid", .Year = 1979, .Manufacturer = "Atari", .Palette = 0, .Video = 1, .Resolution = " "},
        {.RomName = "nbajam", .Year = 1993, .Manufacturer = "Midway", .DriverStatus = 2, .Palette = 32768,
         .Resolution = "400x254", .Frequency = 54},
        {.RomName = "unknown", .Year = 0, .Manufacturer = "<unknown>", .Frequency = 100},
    });
    const FilterQueryBlock all = c.block;
    struct Case {
        const char* what;
        void (*apply)(FilterQueryBlock&);
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"everything", [](FilterQueryBlock&) {}, {"unknown", "pong", "pang", "pacman", "nbajam", "asteroid"}},
        {"name p%", [](FilterQueryBlock& b) { lstrcpyA(b.FilNamePattern, "p%"); }, {"pong", "pang", "pacman"}},
        {"name P_NG", [](FilterQueryBlock& b) { lstrcpyA(b.FilNamePattern, "P_NG"); }, {"pong", "pang"}},
        {"maker atari", [](FilterQueryBlock& b) { lstrcpyA(b.FilManPattern, "atari"); }, {"pong", "asteroid"}},
        {"years 1979-1989",
         [](FilterQueryBlock& b) { b.FilYearFirst[0] = 1979; b.FilYearFirst[1] = 1989; },
         {"pang", "pacman", "asteroid"}},
        {"year 1980 alone", [](FilterQueryBlock& b) { b.FilYearFirst[0] = b.FilYearFirst[1] = 1980; }, {"pacman"}},
        {"palettes 0-600 as numbers",
         [](FilterQueryBlock& b) { lstrcpyA(b.FilPaletteFirst, "0"); lstrcpyA(b.FilPaletteLast, "600"); },
         {"unknown", "pong", "pacman", "asteroid"}},
        {"resolutions 300-399x999 as text",
         [](FilterQueryBlock& b) { lstrcpyA(b.FilResoFirst, "300"); lstrcpyA(b.FilResoLast, "399x999"); },
         {"unknown", "pang"}},
        {"frequencies 0-59 as numbers",
         [](FilterQueryBlock& b) { lstrcpyA(b.FilFreqFirst, "0"); lstrcpyA(b.FilFreqLast, "59"); },
         {"pang", "nbajam"}},
        {"vector only", [](FilterQueryBlock& b) { b.FilVideoDb[0] = b.FilVideoDb[1] = 1; }, {"asteroid"}},
        {"vertical only", [](FilterQueryBlock& b) { b.FilVideoDb[2] = b.FilVideoDb[3] = 1; }, {"pacman"}},
        {"driver preliminary only", [](FilterQueryBlock& b) { b.FilDriverDb[0] = b.FilDriverDb[1] = 2; }, {"nbajam"}},
        {"colour imperfect only", [](FilterQueryBlock& b) { std::memset(b.FilDriverDb + 2, 1, 3); }, {"pang"}},
        {"sound preliminary only", [](FilterQueryBlock& b) { std::memset(b.FilDriverDb + 5, 2, 3); }, {"pang"}},
    };
    for (const Case& k : cases) {
        CAPTURE(k.what);
        c.block = all;
        k.apply(c.block);
        std::vector<std::string> names = c.FetchNames();
        CHECK_EQ(names, k.names);
    }
}

TEST_CASE("a changed block and a reload execute the same prepared statement again") {
    Catalogue c;
    REQUIRE(c.Connect());
    c.Insert({{.RomName = "good", .Status = 0}, {.RomName = "bad", .Status = 2}});
    CHECK_EQ(c.FetchNames(), std::vector<std::string>{"good", "bad"});
    const SQLHSTMT prepared = GameQueryStatement.get();
    calls = OdbcCalls{};

    const uint8_t goodOnly[4] = {0, 10, 10, 10};
    std::memcpy(c.block.FilRomDb, goodOnly, 4);
    CHECK_EQ(c.FetchNames(), std::vector<std::string>{"good"});
    const uint8_t badOnly[4] = {10, 2, 10, 10};
    std::memcpy(c.block.FilRomDb, badOnly, 4);
    CHECK_EQ(c.FetchNames(), std::vector<std::string>{"bad"});

    CHECK_EQ(GameQueryStatement.get(), prepared);
    CHECK_EQ(calls.execute, 2);
    CHECK_EQ(calls.prepare, 0);
    CHECK_EQ(calls.bindParameter, 0);
    CHECK_EQ(calls.allocStatement, 0);
    CHECK_EQ(calls.freeStatement, 0);
}

TEST_CASE("the dialog hears the reload task, the query step, the processing step, then counts up to the total") {
    Catalogue c;
    REQUIRE(c.Connect());
    c.Insert({{.RomName = "a"}, {.RomName = "b"}, {.RomName = "c"}});
    c.Fetch();
    REQUIRE_GE(sent.size(), 4u);
    const std::vector<Sent> head(sent.begin(), sent.begin() + 3);
    const std::vector<Sent> expected = {
        {WMU_PROGRESS_TASK, IDS_TASK_RELOAD},
        {WMU_PROGRESS_STEP, IDS_STEP_QUERY},
        {WMU_PROGRESS_STEP, IDS_STEP_PROCESSING},
    };
    CHECK_EQ(head, expected);
    const std::vector<WPARAM> counts = Counts();
    CHECK_EQ(counts.size() + 3, sent.size());
    CHECK_EQ(counts.front(), 1u);
    CHECK_EQ(counts.back(), 3u);
}

TEST_CASE("many rows send a rising count now and then, not one per row, and always the total") {
    Catalogue c;
    REQUIRE(c.Connect());
    c.Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) "
              "INSERT INTO main (RomName) SELECT printf('g%05d', i) FROM n");
    CHECK_EQ(c.Fetch().size(), 5000u);
    const std::vector<WPARAM> counts = Counts();
    REQUIRE_FALSE(counts.empty());
    CHECK_EQ(counts.front(), 1u);
    CHECK_EQ(counts.back(), 5000u);
    // Strictly rising.
    CHECK(std::adjacent_find(counts.begin(), counts.end(), [](WPARAM a, WPARAM b) { return a >= b; }) ==
          counts.end());
    CHECK_LT(counts.size(), 500u);
}

TEST_CASE("a fetch on a worker thread uses the connection opened on the user-interface thread") {
    Catalogue c;
    REQUIRE(c.Connect());
    c.Insert({{.RomName = "a"}, {.RomName = "b"}});
    FetchWork work{&c, {}, false};
    HANDLE thread = CreateThread(nullptr, 0, FetchOnWorker, &work, 0, nullptr);
    REQUIRE(thread != nullptr);
    // The progress messages are sent across threads: keep this thread's
    // window answering until the worker ends.
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    CHECK_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    CloseHandle(thread);
    CHECK(work.executed);
    CHECK_EQ(work.list.count, 2u);
    while (GameRecord* r = PopGameRecord(work.list)) FreeGameRecord(r);
    CHECK_EQ(sent.back(), Sent{WMU_PROGRESS_COUNT, 2});
}

// The result columns are bound to a buffer of FetchGames' own; on every
// way out they must be unbound before that buffer goes, or the next execute
// and fetch would write into freed memory.
SQLSMALLINT boundColumns;
using BindColFunction = SQLRETURN(SQL_API*)(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*);
using FreeStmtFunction = SQLRETURN(SQL_API*)(SQLHSTMT, SQLUSMALLINT);
BindColFunction realBindCol;
FreeStmtFunction realFreeStmt;
SQLRETURN SQL_API TrackBindCol(SQLHSTMT s, SQLUSMALLINT n, SQLSMALLINT t, SQLPOINTER v, SQLLEN c, SQLLEN* l) {
    ++boundColumns;
    return realBindCol(s, n, t, v, c, l);
}
SQLRETURN SQL_API TrackFreeStmt(SQLHSTMT s, SQLUSMALLINT option) {
    if (option == SQL_UNBIND) boundColumns = 0;
    return realFreeStmt(s, option);
}

TEST_CASE("the columns are unbound when the row buffer goes, after a failed execute as after rows") {
    Replace("SQLBindCol", realBindCol, TrackBindCol);
    Replace("SQLFreeStmt", realFreeStmt, TrackFreeStmt);
    Catalogue c;
    REQUIRE(c.Connect());
    c.Insert({{"pacman"}});
    for (bool fails : {false, true}) {
        CAPTURE(fails);
        if (fails) c.Execute("DROP TABLE main");  // the prepared statement then fails to execute
        boundColumns = 0;
        bool executed = !fails;
        c.Fetch(&executed);
        REQUIRE_EQ(executed, !fails);
        CHECK_EQ(boundColumns, 0);
    }
}

TEST_CASE("ReloadGameList closes the dialog as its last step, also when the execute fails") {
    Catalogue c;
    DeleteFileA(c.path.c_str());
    CHECK_FALSE(c.Connect());
    c.boxes.clear();
    ReloadGameList(c.dialog);
    CHECK_EQ(Texts(c.boxes.boxes()), Messages({MSG_ODBC_EXECUTE}));
    REQUIRE_FALSE(sent.empty());
    CHECK_EQ(sent.back(), Sent{WM_CLOSE, 0});
    CHECK_EQ(std::count(sent.begin(), sent.end(), Sent{WM_CLOSE, 0}), 1);
}

}  // TEST_SUITE
