// The one prepared statement a catalogue stage executes for each item its
// scanner hands over, and what the scanner's sink is given to do that.
// Internal to catalogue/.
#pragma once

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include "base/progress_counter.h"
#include "db/database.h"

namespace quillet {

// A statement of the shared connection with `sql` prepared, its parameters
// still to be bound; SQL_NULL_HSTMT when none could be allocated. The
// prepare's own result is not examined: a statement that did not prepare
// fails each execute, and every stage reports a failed execute.
inline SQLHSTMT PrepareStageStatement(const char* sql) {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &statement))) return SQL_NULL_HSTMT;
    SQLPrepare(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql)), SQL_NTS);
    return statement;
}

// Closes the statement's cursor and frees the statement.
inline void FreeStageStatement(SQLHSTMT statement) {
    SQLFreeStmt(statement, SQL_CLOSE);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
}

// The context of a stage's sink: where failures are shown, the statement
// to execute, and the count of items handed over, failed executes included.
struct StageRun {
    HWND dialog;
    SQLHSTMT statement;
    ProgressCounter& items;
};

}  // namespace quillet
