// The one ODBC connection to gamelist.mdb, and the filtered game query.
#pragma once

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include "base/handles.h"
#include "db/game_record.h"
#include "settings/frontend_settings.h"

namespace quillet {

extern SQLHENV DatabaseEnvironment;
extern SQLHDBC DatabaseConnection;
extern OdbcStatement GameQueryStatement;

// The SQLite driver's names: Quillet's own registration, used when the
// driver manager lists it, and the shared one a portable copy falls back to.
constexpr char kOwnSqliteDriver[] = "Quillet SQLite3 ODBC Driver";
constexpr char kSharedSqliteDriver[] = "SQLite3 ODBC Driver";

// Connects `connection` (allocated on `environment`) to the catalogue file
// `path` with the driver its contents call for; false when it does not open.
bool OpenCatalogueConnection(SQLHENV environment, SQLHDBC connection, HWND owner, const char* path);

// Opens the connection and prepares the game query bound to `block`.
bool ConnectDatabase(HWND owner, const char* path, FilterQueryBlock* block);
void DisconnectDatabase();
// Closes the connection and opens it again on the same file, with the game
// query prepared again: after a failed rollback, when closing is the one
// sure way to drop the open transaction (SQLite rolls it back on close).
bool ReopenDatabase(HWND owner);
// Runs one SQL text on a statement of its own; the outcome is not examined.
void ExecuteDirect(HWND owner, const char* sql, SQLINTEGER length);

bool PrepareGameQuery(HWND owner, FilterQueryBlock* block);

// Last-in-first-out list that hands a reload's rows to the game list.
struct GameRecordNode {
    GameRecord* record;
    GameRecordNode* next;
};
struct GameRecordList {
    GameRecordNode* top;
    DWORD count;
};
bool PushGameRecord(GameRecordList& list, const GameRecord& record);  // false: out of memory
GameRecord* PopGameRecord(GameRecordList& list);                      // null when empty
void FreeGameRecord(GameRecord* record);

// Runs the game query and pushes every row; false when it failed or the task
// was cancelled (the rows fetched so far are then still in `list`).
bool FetchGames(HWND dialog, GameRecordList& list, const RecordTextTable& texts);

}  // namespace quillet
